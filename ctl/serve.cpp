#include "ctl/serve.h"

#include "ctl/ctloutput.h"
#include "ctl/portchoice.h"
#include "link/connectionwatch.h"
#include "link/mscomm.h"
#include "link/serialsettings.h"
#include "link/speedfollow.h"
#include "mqtt/forgetboard.h"
#include "mqtt/mqttbridge.h"
#include "protocol/line/lineresult.h"
#include "service/boardservice.h"
#include "service/quitonsignal.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <memory>

namespace {

// The owner's side of the port, wired as the panel wires its own.
class Server : public QObject
{
public:
    Server(const PortChoice &choice, bool followSpeed) : m_followSpeed(followSpeed)
    {
        const QString device = choice.device;
        m_port.setDeviceResolver([device](int) { return device; });
        m_port.setSettings(choice.settings);
        connect(&m_watch, &ConnectionWatch::changed, this, &Server::tellState);
        connect(&m_service, &BoardService::servingChanged, this, &Server::tellServing);
        connect(&m_service.executor(), &BoardExecutor::boardSpeedTold, this,
                &Server::boardSpeedTold);
    }

    // The port's status, after telling why: StatusPortNotOpened when it cannot
    // be opened and waiting will not mend it.
    int start()
    {
        if (!m_watch.open() && m_watch.state().kind == ConnectionState::Closed) {
            PrintError(OpenFailureText(m_port.DeviceName(), m_port.LastOpenFailure(),
                                       m_port.errorString()));
            return StatusPortNotOpened;
        }
        return StatusDone;
    }

    // The port on the broker too; false, after telling why, when the
    // connection's settings are refused.
    bool bridge(const BridgeConfig &config)
    {
        m_bridge = std::make_unique<MqttBridge>(config, m_port, m_service.executor());
        connect(m_bridge.get(), &MqttBridge::told, this,
                [](const QString &message) { PrintError(QStringLiteral("mqtt: ") + message); });
        QString error;
        if (!m_bridge->start(&error))
            PrintError(QStringLiteral("mqtt: ") + error);
        return error.isEmpty();
    }

    void stop()
    {
        m_watch.leave();
        if (m_bridge)
            m_bridge->stop();
    }

private:
    void tellState()
    {
        PrintError(QStringLiteral("%1: %2").arg(m_port.DeviceName(), m_watch.state().text()));
    }

    void tellServing()
    {
        if (!m_service.socketPath().isEmpty())
            PrintError(QStringLiteral("serving %1 on %2")
                           .arg(m_port.DeviceName(), m_service.socketPath()));
        else if (!m_service.errorString().isEmpty())
            PrintError(QStringLiteral("cannot serve %1: %2")
                           .arg(m_port.DeviceName(), m_service.errorString()));
    }

    // As in the panel: the port keeps its speed unless asked to follow.
    void boardSpeedTold(qint32 bitsPerSecond)
    {
        const QString settings = bitsPerSecond == 19200 ? Settings19200 : Settings9600;
        if (settings == m_port.Settings())
            return;
        if (m_followSpeed)
            m_follow.follow(settings);
        else
            PrintError(QStringLiteral("the board was told %1 bit/s; the port stays at %2 "
                                      "(--follow-speed follows)")
                           .arg(bitsPerSecond)
                           .arg(m_port.Settings()));
    }

    bool m_followSpeed;
    MSComm m_port;
    ConnectionWatch m_watch{m_port};
    SpeedFollow m_follow{m_port};
    BoardService m_service{m_port};
    std::unique_ptr<MqttBridge> m_bridge;
};

// The bridge's settings, when --mqtt is given; StatusBadArguments, after
// telling why, for bad ones.
int ReadBridgeConfig(const CtlOptions &options, const QString &device,
                     std::optional<BridgeConfig> &config)
{
    if (options.mqtt.url.isEmpty()) {
        for (const QString &option : options.commandOptions) {
            if (option != u"--follow-speed") {
                PrintError(option + QStringLiteral(" needs --mqtt URL"));
                return StatusBadArguments;
            }
        }
        return StatusDone;
    }
    QString error;
    config =
        MakeBridgeConfig(options.mqtt, device, QProcessEnvironment::systemEnvironment(), &error);
    if (!config) {
        PrintError(error);
        return StatusBadArguments;
    }
    return StatusDone;
}

} // namespace

int RunServeCommandLine(const QStringList &arguments)
{
    QString error;
    const auto options = ParseCommandLine(arguments, &error);
    if (!options) {
        PrintError(error + QStringLiteral(" (vantorctl help serve tells more)"));
        return StatusBadArguments;
    }
    return RunServe(*options);
}

int RunServe(const CtlOptions &options)
{
    if (options.line.words.size() > 1) {
        PrintError(QStringLiteral("serve takes no arguments, only options"));
        return StatusBadArguments;
    }
    QString error;
    const auto choice = ChoosePort(options, &error);
    if (!choice) {
        PrintError(error);
        return StatusBadArguments;
    }
    std::optional<BridgeConfig> bridge;
    if (const int status = ReadBridgeConfig(options, choice->device, bridge))
        return status;
    if (bridge && bridge->forget) {
        const bool forgotten = ForgetBoard(*bridge, &error);
        if (!forgotten)
            PrintError(QStringLiteral("mqtt: ") + error);
        return forgotten ? StatusDone : StatusNoAnswer;
    }
    Server server(*choice, options.followSpeed);
    if (const int status = server.start())
        return status;
    if (bridge && !server.bridge(*bridge))
        return StatusBadArguments;
    const QuitOnSignal quit;
    const int status = QCoreApplication::exec();
    server.stop();
    return status;
}
