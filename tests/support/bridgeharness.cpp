#include "bridgeharness.h"

#include <QTest>

BridgeHarness::BridgeHarness(const QString &id, const QStringList &boardArguments,
                             const QStringList &bridgeArguments)
    : board(VANTORBOARD_PATH, m_dir.filePath(id), boardArguments), m_id(id),
      m_bridgeArguments(bridgeArguments)
{
}

BridgeHarness::~BridgeHarness()
{
    if (m_bridge.state() != QProcess::NotRunning)
        stopBridge();
}

bool BridgeHarness::start()
{
    return broker.start() && board.plug()
           && probe.connectTo(broker.port(), {"vantor/#", "homeassistant/#"}) && startBridge();
}

bool BridgeHarness::startBridge(bool waitOnline)
{
    probe.clear();
    m_told.clear();
    m_bridge.start(VANTORCTL_PATH, QStringList{"serve", "--port", board.link(), "--speed", "9600",
                                               "--mqtt", broker.url()}
                                       + m_bridgeArguments);
    return m_bridge.waitForStarted()
           && (!waitOnline || probe.waitFor(topic("availability"), "online"));
}

void BridgeHarness::killBridge()
{
    m_bridge.kill();
    m_bridge.waitForFinished(5000);
}

int BridgeHarness::stopBridge()
{
    m_bridge.terminate();
    return m_bridge.waitForFinished(5000) ? m_bridge.exitCode() : -1;
}

bool BridgeHarness::waitForTold(const QByteArray &text)
{
    return QTest::qWaitFor(
        [&] {
            m_told += m_bridge.readAllStandardError();
            return m_told.contains(text);
        },
        10000);
}

QString BridgeHarness::topic(const QString &name) const
{
    return QStringLiteral("vantor/%1/%2").arg(m_id, name);
}

QByteArray BridgeHarness::ask(const QString &name, const QByteArray &payload)
{
    probe.clear();
    probe.publish(topic(name), payload);
    return probe.waitFor(topic(QStringLiteral("result"))).value_or("(no answer)");
}
