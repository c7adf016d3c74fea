// The bridge's settings as the command line gives them: the broker's URL,
// the password's rules, the names in topics, and the board's id from its device.
#include "mqtt/bridgeconfig.h"
#include "support/testdata.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_BridgeConfig : public QObject
{
    Q_OBJECT

private slots:
    void options_data();
    void options();
    void boardId_data();
    void boardId();

private:
    QTemporaryDir m_dir;
};

void tst_BridgeConfig::options_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("password"); // in VANTOR_MQTT_PASSWORD, with user "u"
    QTest::addColumn<QString>("extra");    // one more option: "insecure", "cafile", "id=..."
    QTest::addColumn<QString>("outcome");  // the broker's URL, or the error's words
    dataRow("plain", "mqtt://broker.local", "", "", "mqtt://broker.local:1883");
    dataRow("TLS", "mqtts://broker.local", "", "", "mqtts://broker.local:8883");
    dataRow("TLS, own port and CA", "MQTTS://10.0.0.5:9000", "", "cafile", "mqtts://10.0.0.5:9000");
    dataRow("no MQTT URL", "http://broker.local", "", "", "is not mqtt://HOST[:PORT]");
    dataRow("a path", "mqtt://broker.local/x", "", "", "is not mqtt://HOST[:PORT]");
    dataRow("password in the URL", "mqtt://u:pw@broker.local", "", "", "no user or password");
    dataRow("password to a remote broker in the clear", "mqtt://192.0.2.1", "pw", "",
            "the password would go to 192.0.2.1 unencrypted");
    dataRow("... unless insecure", "mqtt://192.0.2.1", "pw", "insecure", "mqtt://192.0.2.1:1883");
    dataRow("... or over TLS", "mqtts://192.0.2.1", "pw", "", "mqtts://192.0.2.1:8883");
    dataRow("password to localhost", "mqtt://localhost", "pw", "", "mqtt://localhost:1883");
    dataRow("password to 127.0.0.2", "mqtt://127.0.0.2", "pw", "", "mqtt://127.0.0.2:1883");
    dataRow("password to ::1", "mqtt://[::1]:1884", "pw", "", "mqtt://[::1]:1884");
    dataRow("password file missing", "mqtt://localhost", "", "passwordfile",
            "--mqtt-password-file");
    dataRow("CA file without TLS", "mqtt://broker.local", "", "cafile", "need an mqtts:// URL");
    dataRow("certificate without key", "mqtts://broker.local", "", "cert", "go together");
    dataRow("id with a slash", "mqtt://broker.local", "", "id=a/b", "--id \"a/b\" is not");
    dataRow("group with a wildcard", "mqtt://broker.local", "", "group=a+", "--group \"a+\"");
    dataRow("prefix with a wildcard", "mqtt://broker.local", "", "prefix=ha/#",
            "--discovery-prefix \"ha/#\"");
}

void tst_BridgeConfig::options()
{
    QFETCH(QString, url);
    QFETCH(QString, password);
    QFETCH(QString, extra);
    QFETCH(QString, outcome);
    const QString file = m_dir.filePath("ca.pem");
    QFile(file).open(QIODevice::WriteOnly);
    MqttOptions options;
    options.url = url;
    options.user = "u";
    options.insecure = extra == "insecure";
    options.caFile = extra == "cafile" ? file : QString();
    options.certFile = extra == "cert" ? file : QString();
    options.passwordFile = extra == "passwordfile" ? m_dir.filePath("none") : QString();
    options.id = extra.startsWith("id=") ? extra.mid(3) : QString();
    options.groups = extra.startsWith("group=") ? QStringList{extra.mid(6)} : QStringList();
    if (extra.startsWith("prefix="))
        options.discoveryPrefix = extra.mid(7);
    QProcessEnvironment environment;
    environment.insert("VANTOR_MQTT_PASSWORD", password);
    QString error;
    const auto config = MakeBridgeConfig(options, "/dev/ttyUSB0", environment, &error);
    QVERIFY2(config ? config->broker.url() == outcome : error.contains(outcome), qPrintable(error));
}

void tst_BridgeConfig::boardId_data()
{
    QTest::addColumn<QString>("device"); // a file in the test's folder
    QTest::addColumn<QString>("byId");   // its name in the by-id folder; empty: none
    QTest::addColumn<QString>("id");
    dataRow("serial number", "ttyUSB0", "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "A50285BI");
    dataRow("serial number, no port", "ttyACM0", "usb-Vantor_Board_12-34-if01", "12-34");
    dataRow("the device's name", "ttyS0", "", "ttyS0");
    dataRow("characters a topic does not take", "my board+1", "", "my_board_1");
}

void tst_BridgeConfig::boardId()
{
    QFETCH(QString, device);
    QFETCH(QString, byId);
    QFETCH(QString, id);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("by-id"));
    const QString path = dir.filePath(device);
    QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    if (!byId.isEmpty())
        QVERIFY(QFile::link(path, dir.filePath("by-id/" + byId)));
    QCOMPARE(BoardIdFor(path, dir.filePath("by-id")), id);
}

QTEST_APPLESS_MAIN(tst_BridgeConfig)
#include "tst_bridgeconfig.moc"
