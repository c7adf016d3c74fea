#include "ctl/serve.h"

#include "ctl/ctloutput.h"
#include "ctl/portchoice.h"
#include "link/connectionwatch.h"
#include "link/mscomm.h"
#include "link/serialsettings.h"
#include "link/speedfollow.h"
#include "protocol/line/lineresult.h"
#include "service/boardservice.h"
#include "service/quitonsignal.h"

#include <QCoreApplication>

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

    // False, after telling why, when the port cannot be opened and waiting will not mend it.
    bool start()
    {
        if (m_watch.open() || m_watch.state().kind != ConnectionState::Closed)
            return true;
        PrintError(
            OpenFailureText(m_port.DeviceName(), m_port.LastOpenFailure(), m_port.errorString()));
        return false;
    }

    void stop() { m_watch.leave(); }

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
};

} // namespace

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
    Server server(*choice, options.followSpeed);
    if (!server.start())
        return StatusPortNotOpened;
    const QuitOnSignal quit;
    const int status = QCoreApplication::exec();
    server.stop();
    return status;
}
