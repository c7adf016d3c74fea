// The bridge under real faults: the board's device pulled and plugged
// again, the bridge killed (the broker's last will), the broker restarted,
// and the broker down when the bridge starts (the board still served on its
// local socket). All real processes on the test's own mosquitto.
#include "support/bridgeharness.h"
#include "support/programrun.h"

#include <QtTest>

class tst_MqttFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void unplugged();
    void bridgeKilled();
    void brokerRestarted();
    void brokerDownAtStart();

private:
    BridgeHarness m_h{"door", {}, {"--poll", "0"}};
};

void tst_MqttFaults::initTestCase()
{
    if (TestBroker::program().isEmpty())
        QSKIP("mosquitto is not installed (scripts/install-deps installs it)");
    QVERIFY(m_h.start());
}

// Offline while the device is gone, commands answered with an error; online
// again, and working, once it is back.
void tst_MqttFaults::unplugged()
{
    m_h.probe.clear();
    m_h.board.pull();
    QVERIFY(m_h.probe.waitFor(m_h.topic("availability"), "offline"));
    const QByteArray answer = m_h.ask("line1/set", "Nobody");
    QVERIFY2(answer.startsWith("error: line1/set: ") && answer.contains("the port is not open"),
             answer.constData());
    QVERIFY(m_h.board.plug());
    QVERIFY(m_h.probe.waitFor(m_h.topic("availability"), "online"));
    m_h.board.mark();
    QCOMPARE(m_h.ask("command", "goto 1 2"), "ok");
    QVERIFY(m_h.board.waitFor("FE 32 01 02"));
    QVERIFY(!m_h.board.trace().contains("Nobody"));
}

// The broker publishes the last will: offline.
void tst_MqttFaults::bridgeKilled()
{
    m_h.probe.clear();
    m_h.killBridge();
    QVERIFY(m_h.probe.waitFor(m_h.topic("availability"), "offline"));
    QVERIFY(m_h.startBridge());
}

// The broker comes back empty: the bridge connects again on its own and
// publishes its discovery, its state and its availability again.
void tst_MqttFaults::brokerRestarted()
{
    QCOMPARE(m_h.ask("command", "clear"), "ok");
    m_h.probe.publish(m_h.topic("line1/set"), "Kept");
    QVERIFY(m_h.probe.waitFor(m_h.topic("line1"), "Kept"));
    m_h.broker.stop();
    QVERIFY(m_h.broker.start());
    m_h.probe.clear();
    QVERIFY(m_h.probe.waitConnected());
    QVERIFY(m_h.probe.waitFor(m_h.topic("availability"), "online", 30000));
    QVERIFY(m_h.probe.waitFor(m_h.topic("line1"), "Kept"));
    QVERIFY(m_h.probe.waitFor("homeassistant/light/door/backlight/config"));
    m_h.board.mark();
    QCOMPARE(m_h.ask("command", "goto 0 3"), "ok");
    QVERIFY(m_h.board.waitFor("FE 32 00 03"));
}

// Without a broker the board is served locally all the same; the bridge
// comes online once the broker is there.
void tst_MqttFaults::brokerDownAtStart()
{
    QCOMPARE(m_h.stopBridge(), 0);
    m_h.broker.stop();
    QVERIFY(m_h.startBridge(false));
    QVERIFY2(m_h.waitForTold("serving"), m_h.told().constData());
    m_h.board.mark();
    const ProgramRun local = RunProgram(
        VANTORCTL_PATH, {"--port", m_h.board.link(), "--speed", "9600", "text", "Local"});
    QCOMPARE(local.exitCode, 0);
    QVERIFY(m_h.board.waitFor("text \"Local\""));
    QVERIFY(m_h.broker.start());
    QVERIFY(m_h.probe.waitConnected());
    QVERIFY(m_h.probe.waitFor(m_h.topic("availability"), "online", 30000));
}

QTEST_GUILESS_MAIN(tst_MqttFaults)
#include "tst_mqttfaults.moc"
