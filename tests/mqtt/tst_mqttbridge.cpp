// The bridge in use, all real processes: the test's own mosquitto, a real
// VantorBoard behind vantorctl serve --mqtt. Every command topic is checked
// on the board's trace and in the state it leaves; the readings, Home
// Assistant's discovery, bad payloads, a retained command, --forget.
#include "support/bridgeharness.h"
#include "support/programrun.h"
#include "support/testdata.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class tst_MqttBridge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void discovery();
    void commandTopics_data();
    void commandTopics();
    void readings();
    void badPayloads_data();
    void badPayloads();
    void retainedCommandActsOnce();
    void passwordNeedsTls();
    void forget();

private:
    // Published retained on the board's topics, as a newly subscribed client finds them.
    QList<MqttProbe::Message> retained(const QStringList &patterns);

    BridgeHarness m_h{"lobby",
                      {"--voltage", "512", "--current", "1000", "--inputs", "5"},
                      {"--group", "hall", "--poll", "1"}};
};

void tst_MqttBridge::initTestCase()
{
    if (TestBroker::program().isEmpty())
        QSKIP("mosquitto is not installed (scripts/install-deps installs it)");
    QVERIFY(m_h.start());
}

QList<MqttProbe::Message> tst_MqttBridge::retained(const QStringList &patterns)
{
    MqttProbe fresh;
    if (!fresh.connectTo(m_h.broker.port(), patterns))
        return {};
    QList<MqttProbe::Message> found = fresh.messages();
    found.removeIf([](const MqttProbe::Message &message) { return !message.retained; });
    return found;
}

// What Home Assistant needs of each entity, and the device they make up.
void tst_MqttBridge::discovery()
{
    const auto configs = retained({"homeassistant/#"});
    QMap<QString, int> components;
    QSet<QString> uniqueIds;
    for (const MqttProbe::Message &message : configs) {
        const QJsonObject config = QJsonDocument::fromJson(message.payload).object();
        const QJsonObject device = config.value("device").toObject();
        QVERIFY2(message.topic.endsWith("/lobby/" + config.value("unique_id").toString().mid(13)
                                        + "/config"),
                 qPrintable(message.topic));
        uniqueIds << config.value("unique_id").toString();
        ++components[message.topic.section('/', 1, 1)];
        QCOMPARE(device.value("identifiers").toArray(), QJsonArray{"vantor_lobby"});
        QCOMPARE(device.value("model").toString(), "VantorBoard-compatible display");
        QCOMPARE(device.value("sw_version").toString(), VANTOR_VERSION);
        QVERIFY(config.contains("command_topic") || config.contains("state_topic"));
        QCOMPARE(config.value("availability").toArray().at(0).toObject().value("topic"),
                 "vantor/lobby/availability");
    }
    QCOMPARE(uniqueIds.size(), 18);
    const QMap<QString, int> expected{{"text", 2},   {"light", 1},         {"switch", 3},
                                      {"sensor", 2}, {"binary_sensor", 8}, {"select", 1},
                                      {"button", 1}};
    QCOMPARE(components, expected);
    const auto voltage = std::find_if(configs.begin(), configs.end(), [](const auto &m) {
        return m.topic == "homeassistant/sensor/lobby/voltage/config";
    });
    QVERIFY(voltage != configs.end());
    const QJsonObject sensor = QJsonDocument::fromJson(voltage->payload).object();
    QCOMPARE(sensor.value("device_class"), "voltage");
    QCOMPARE(sensor.value("unit_of_measurement"), "V");
    QCOMPARE(sensor.value("state_class"), "measurement");
}

// Rows run in order on one bridge: the outputs' rows build on each other.
void tst_MqttBridge::commandTopics_data()
{
    QTest::addColumn<QString>("topic"); // "hall:..." for the group's topic
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("trace");
    QTest::addColumn<QString>("state"); // and the state it leaves, or the answer on "result"
    QTest::addColumn<QByteArray>("value");
    dataRow("display", "display/set", QByteArray("Hello\nworld"),
            QByteArray("0D  ClearDisplay\n48 65 6C 6C 6F  text \"Hello\"\n0C  NewLine\n"
                       "77 6F 72 6C 64  text \"world\""),
            "line2", QByteArray("world"));
    dataRow(
        "line 1, filled to its end", "line1/set", QByteArray("Top"),
        QByteArray("FE 32 00 00  SetCursorPosition row 0, column 0\n"
                   "54 6F 70 20 20 20 20 20 20 20 20 20 20 20 20 20  text \"Top             \""),
        "line1", QByteArray("Top"));
    dataRow("line 2 in Latin-1", "line2/set", QByteArray("Größe"),
            QByteArray("FE 32 01 00  SetCursorPosition row 1, column 0\n47 72 F6 DF 65 20"),
            "line2", QByteArray("Größe"));
    dataRow("backlight off", "backlight/set", QByteArray("OFF"), QByteArray("FE 07  BacklightOff"),
            "backlight", QByteArray("OFF"));
    dataRow("backlight on", "backlight/set", QByteArray("on"), QByteArray("FE 06  BacklightOn"),
            "backlight", QByteArray("ON"));
    dataRow("brightness", "brightness/set", QByteArray("120"),
            QByteArray("FE 28 78  SetBrightness"), "brightness", QByteArray("120"));
    dataRow("out1 on", "out1/set", QByteArray("ON"), QByteArray("FE 2F 01  SetOutputs"), "out1",
            QByteArray("ON"));
    dataRow("out3 on, out1 kept", "out3/set", QByteArray("ON"), QByteArray("FE 2F 05  SetOutputs"),
            "out3", QByteArray("ON"));
    dataRow("out1 off, out3 kept", "out1/set", QByteArray("off"),
            QByteArray("FE 2F 04  SetOutputs"), "out1", QByteArray("OFF"));
    dataRow("screen", "screen/set", QByteArray("3"), QByteArray("FE 2A 03  ShowScreen"), "screen",
            QByteArray("3"));
    dataRow("a line of the line language", "command", QByteArray("goto 1 5"),
            QByteArray("FE 32 01 05  SetCursorPosition"), "result", QByteArray("ok"));
    dataRow("its answer in JSON", "command", QByteArray("--json goto 0 1"),
            QByteArray("FE 32 00 01  SetCursorPosition"), "result", QByteArray("{\"ok\":true}"));
    dataRow("the group's topic", "hall:display/set", QByteArray("Hall\nopen"),
            QByteArray("text \"Hall\"\n0C  NewLine\n6F 70 65 6E  text \"open\""), "line1",
            QByteArray("Hall"));
}

void tst_MqttBridge::commandTopics()
{
    QFETCH(QString, topic);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, trace);
    QFETCH(QString, state);
    QFETCH(QByteArray, value);
    m_h.board.mark();
    m_h.probe.clear();
    m_h.probe.publish(topic.startsWith("hall:") ? "vantor/group/hall/" + topic.mid(5)
                                                : m_h.topic(topic),
                      payload);
    QVERIFY2(m_h.board.waitFor(trace), m_h.board.trace().constData());
    QVERIFY(m_h.probe.waitFor(m_h.topic(state), value));
}

// Polled every second, retained; a read asked for is answered and published too.
void tst_MqttBridge::readings()
{
    QMap<QString, QByteArray> found;
    const auto readings = [&] {
        found.clear();
        for (const MqttProbe::Message &message : retained({m_h.topic("+")}))
            found.insert(message.topic.section('/', 2), message.payload);
        return found.contains("current") && found.contains("in8");
    };
    QTRY_VERIFY_WITH_TIMEOUT(readings(), 10000);
    QCOMPARE(found.value("voltage"), "5.0176");
    QCOMPARE(found.value("current"), "20");
    QCOMPARE(found.value("inputs"), "5");
    QCOMPARE(found.value("in1") + found.value("in2") + found.value("in3"), "ONOFFON");
    QCOMPARE(m_h.ask("command", "read current"), "20mA");
    QCOMPARE(m_h.ask("command", "--json read inputs"), "{\"kind\":\"inputs\",\"value\":5}");
}

void tst_MqttBridge::badPayloads_data()
{
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<QByteArray>("error");
    dataRow("17 characters", "line1/set", QByteArray("ABCDEFGHIJKLMNOPQ"),
            QByteArray("line1/set: LINE1 has 17 characters; it takes at most 16"));
    dataRow("over 4 KiB", "line2/set", QByteArray(5000, 'a'),
            QByteArray("line2/set: the payload has 5000 bytes; a message takes at most 4096"));
    dataRow("1 MB", "command", QByteArray(1 << 20, 'x'),
            QByteArray("command: the payload has 1048576 bytes"));
    dataRow("binary", "display/set", QByteArray("\xFE\x01\xFF\x00", 4),
            QByteArray("display/set: the payload is not UTF-8 text"));
    dataRow("FE as a character", "line1/set", QByteArray("\xC3\xBE"),
            QByteArray("the character code FE cannot be sent as text"));
    dataRow("outside Latin-1", "line1/set", QByteArray("\xE2\x82\xAC"),
            QByteArray("is outside Latin-1"));
    dataRow("three lines", "display/set", QByteArray("a\nb\nc"),
            QByteArray("display/set: 3 lines; the display takes two"));
    dataRow("brightness below 50", "brightness/set", QByteArray("49"),
            QByteArray("brightness/set: LEVEL \"49\" is not a whole number from 50 to 250"));
    dataRow("brightness not whole", "brightness/set", QByteArray("120.5"),
            QByteArray("LEVEL \"120.5\" is not a whole number"));
    dataRow("screen 11", "screen/set", QByteArray("11"),
            QByteArray("N \"11\" is not a whole number from 1 to 10"));
    dataRow("neither on nor off", "out2/set", QByteArray("maybe"),
            QByteArray("out2/set: STATE \"maybe\" is not one of: off, on"));
    dataRow("a bad line", "command", QByteArray("text ABCDEFGHIJKLMNOPQ"),
            QByteArray("error: text: LINE1 has 17 characters"));
    dataRow("no such command", "command", QByteArray("txt a"),
            QByteArray("unknown command \"txt\"; did you mean \"text\"?"));
    dataRow("no such topic", "volume/set", QByteArray("3"),
            QByteArray("volume/set: no such command topic"));
}

// An error on .../result, and nothing on the wire: the next good command is
// the first thing the board sees.
void tst_MqttBridge::badPayloads()
{
    QFETCH(QString, topic);
    QFETCH(QByteArray, payload);
    QFETCH(QByteArray, error);
    m_h.board.mark();
    const QByteArray answer = m_h.ask(topic, payload);
    QVERIFY2(answer.startsWith("error: ") && answer.contains(error), answer.constData());
    QCOMPARE(m_h.ask("command", "goto 1 15"), "ok");
    QVERIFY(m_h.board.waitFor("FE 32 01 0F"));
    QCOMPARE(m_h.board.traceWithoutReads(), "FE 32 01 0F  SetCursorPosition row 1, column 15\n");
}

// A command published retained acts when it arrives, and never again when a
// bridge subscribes later and the broker hands it the retained copy.
void tst_MqttBridge::retainedCommandActsOnce()
{
    m_h.board.mark();
    m_h.probe.publish(m_h.topic("line2/set"), "Once", true);
    QVERIFY(m_h.board.waitFor("text \"Once            \""));
    QCOMPARE(m_h.stopBridge(), 0);
    QVERIFY(m_h.probe.waitFor(m_h.topic("availability"), "offline"));
    QVERIFY(m_h.startBridge());
    QCOMPARE(m_h.ask("command", "goto 0 0"), "ok");
    QVERIFY(m_h.board.waitFor("FE 32 00 00"));
    QCOMPARE(m_h.board.trace().count("Once"), 1);
    m_h.probe.publish(m_h.topic("line2/set"), {}, true); // the retained copy removed
}

// Refused before anything is opened or connected to.
void tst_MqttBridge::passwordNeedsTls()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VANTOR_MQTT_PASSWORD", "secret");
    const ProgramRun run = RunProgram(VANTORCTL_PATH,
                                      {"serve", "--port", m_h.board.link(), "--speed", "9600",
                                       "--mqtt", "mqtt://192.0.2.1", "--mqtt-user", "board"},
                                      {}, environment);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("the password would go to 192.0.2.1 unencrypted"),
             qPrintable(run.err));
}

// The board removed: nothing of it stays retained on the broker.
void tst_MqttBridge::forget()
{
    QCOMPARE(m_h.stopBridge(), 0);
    const ProgramRun run =
        RunProgram(VANTORCTL_PATH, {"serve", "--port", m_h.board.link(), "--speed", "9600",
                                    "--mqtt", m_h.broker.url(), "--forget"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(retained({"homeassistant/#", "vantor/#"}).size(), 0);
}

QTEST_GUILESS_MAIN(tst_MqttBridge)
#include "tst_mqttbridge.moc"
