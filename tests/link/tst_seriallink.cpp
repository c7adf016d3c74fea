// The serial control and the write of the command buffer on a real pseudo-terminal.
#include "link/modvariables.h"
#include "link/mscomm.h"
#include "link/openfailure.h"
#include "link/portmap.h"
#include "link/sendcommand.h"
#include "link/serialdevices.h"
#include "support/childprocess.h"
#include "support/ptypair.h"
#include "support/testdata.h"
#include "support/testdevices.h"
#include "support/testini.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

#include <unistd.h>

namespace {

// A port on COM1 leading to the pty, open.
bool openOnPty(MSComm &port, const PtyPair &pty)
{
    port.setDeviceResolver([&pty](int) { return pty.slavePath(); });
    return port.setCommPort(1) && port.setSettings("9600,n,8,1") && port.setPortOpen(true);
}

} // namespace

class tst_SerialLink : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetVariables(); }

    void portsMapThroughTheSettingsFile()
    {
        TestIni ini;
        QCOMPARE(DeviceForPort(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(DeviceForPort(6), QStringLiteral("/dev/ttyS5"));
        ini.setContents("[ports]\ncom3=/dev/ttyUSB0\n");
        QCOMPARE(DeviceForPort(3), QStringLiteral("/dev/ttyUSB0"));
    }

    void portNumbersLeadWhereTheResolverSays()
    {
        MSComm port;
        QVERIFY(port.setCommPort(3));
        QCOMPARE(port.DeviceName(), QStringLiteral("/dev/ttyS2")); // none given: the platform's
        port.setDeviceResolver(
            [](int number) { return QStringLiteral("/dev/board%1").arg(number); });
        QCOMPARE(port.DeviceName(), QStringLiteral("/dev/board3"));
    }

    void settingsTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("9600") << "9600,n,8,1" << true;
        QTest::newRow("19200") << "19200,n,8,1" << true;
        QTest::newRow("other parity and stop bits") << "4800,E,7,2" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("speed only") << "9600" << false;
        QTest::newRow("unknown parity") << "9600,x,8,1" << false;
        QTest::newRow("nine data bits") << "9600,n,9,1" << false;
        QTest::newRow("zero speed") << "0,n,8,1" << false;
        QTest::newRow("words") << "fast please" << false;
        QTest::newRow("blanks around the fields") << " 9600 ,\tn , 8 , 1 " << true;
        QTest::newRow("one and a half stop bits") << "9600,n,8,1.5" << true;
        QTest::newRow("eight-digit speed") << "12345678,n,8,1" << false;
        QTest::newRow("blank inside the speed") << "96 00,n,8,1" << false;
        QTest::newRow("missing parity") << "9600,,8,1" << false;
        QTest::newRow("fifth field") << "9600,n,8,1,1" << false;
        QTest::newRow("two stop bits written 2.0") << "9600,n,8,2.0" << false;
    }

    void settingsTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        MSComm port;
        QCOMPARE(port.setSettings(text), accepted);
        QCOMPARE(port.Settings(), accepted ? text : QStringLiteral("9600,n,8,1"));
    }

    void portNumberIsFixedWhileOpen()
    {
        PtyPair pty;
        MSComm port;
        QVERIFY(openOnPty(port, pty));
        QVERIFY(!port.setCommPort(2));
        QCOMPARE(port.CommPort(), 1);
        QVERIFY(!port.setPortOpen(true));         // already open
        QVERIFY(port.setSettings("19200,n,8,1")); // speed may change while open
        QVERIFY(port.setPortOpen(false));
        QVERIFY(!port.PortOpen());
        QVERIFY(port.setCommPort(2));
        QVERIFY(!port.setCommPort(0));
    }

    void openFailuresTellWhy_data()
    {
        QTest::addColumn<QString>("device"); // markers of TestDevices
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("reason");
        const int notFound = int(OpenFailure::NotFound);
        const int notSerial = int(OpenFailure::NotSerialDevice);
        dataRow("missing", "/nonexistent/no-such-device", notFound, "not found");
        dataRow("dangling link", "@dir/dangling", notFound, "not found");
        dataRow("regular file", "@dir/file", notSerial, "not a serial device");
        dataRow("folder", "@dir", notSerial, "not a serial device");
        dataRow("/dev/null", "/dev/null", notSerial, "not a serial device");
        dataRow("held by another port", "@held", int(OpenFailure::InUse),
                "in use by another program");
    }

    void openFailuresTellWhy()
    {
        QFETCH(QString, device);
        QFETCH(int, failure);
        QFETCH(QString, reason);
        TestDevices devices;
        device = devices.path(device);

        MSComm port;
        port.setDeviceResolver([&](int) { return device; });
        QVERIFY(!port.setPortOpen(true));
        QVERIFY(!port.PortOpen());
        QCOMPARE(int(port.LastOpenFailure()), failure);
        QVERIFY(OpenFailureText(device, port.LastOpenFailure(), port.errorString())
                    .startsWith(device + ": " + reason + "."));
    }

    // A device reached through a link with a long path opens: the lock that
    // marks it in use is named after the device itself, not after the link.
    void aLongLinkToTheDeviceOpens()
    {
        PtyPair pty;
        QTemporaryDir dir;
        const QString folder = dir.filePath(QString(120, u'd') + "/" + QString(120, u'e'));
        QVERIFY(QDir().mkpath(folder));
        const QString link = folder + "/board";
        QVERIFY(QFile::link(pty.slavePath(), link));
        MSComm port;
        port.setDeviceResolver([&](int) { return link; });
        QVERIFY2(port.setPortOpen(true), qPrintable(port.errorString()));
        QVERIFY(port.setOutput("x"));
        QCOMPARE(pty.readExactly(1), QByteArray("x"));
    }

    // A user who may not open the device is told the group that owns it when
    // that group may read and write it, and otherwise that no group helps: a
    // second process, as a user of no group, opens a pseudo-terminal of root's.
    void permissionDeniedTellsWhoMayUseIt_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("advice"); // %1: the device's group
        dataRow("group may read and write", 0660, "The device belongs to the group \"%1\"");
        dataRow("owner only", 0600, "The device is open to no group, only to its owner \"root\"");
    }

    void permissionDeniedTellsWhoMayUseIt()
    {
        QFETCH(int, mode);
        QFETCH(QString, advice);
        if (::getuid() != 0)
            QSKIP("needs root, to become a user who may not open the device");
        PtyPair pty;
        QCOMPARE(::chmod(QFile::encodeName(pty.slavePath()).constData(), mode_t(mode)), 0);
        const QString expected = pty.slavePath() + ": permission denied. "
                                 + advice.arg(QFileInfo(pty.slavePath()).group());
        const int exitCode = RunInChild([&] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                return 2;
            MSComm port;
            port.setDeviceResolver([&](int) { return pty.slavePath(); });
            if (port.setPortOpen(true))
                return 3;
            return OpenFailureText(pty.slavePath(), port.LastOpenFailure()).startsWith(expected)
                       ? 0
                       : 1;
        });
        QCOMPARE(exitCode, 0);
    }

    void outputWritesEveryByteInOneWrite()
    {
        PtyPair pty;
        MSComm port;
        QVERIFY(openOnPty(port, pty));
        QSignalSpy writes(&port, &MSComm::outputWritten);
        const QByteArray bytes("\xFE\x29\x00\x00\xFF text \x0D", 11);
        QCOMPARE(WriteCommand(port, bytes), SendResult::Sent);
        QCOMPARE(writes.count(), 1);
        QCOMPARE(pty.readExactly(bytes.size()), bytes);
    }

    void receiveEventAtThreshold()
    {
        PtyPair pty;
        MSComm port;
        QVERIFY(openOnPty(port, pty));
        port.setRThreshold(3);
        port.setInputMode(1);
        QSignalSpy events(&port, &MSComm::OnComm);
        pty.write(QByteArray("\x00\x02", 2));
        QVERIFY(!events.wait(200)); // two bytes of three: no event yet
        pty.write(QByteArray("\x00", 1));
        QTRY_COMPARE(events.count(), 1);
        QCOMPARE(port.CommEvent(), int(MSComm::comEvReceive));
        QCOMPARE(port.Input(), QByteArray("\x00\x02\x00", 3));
        QCOMPARE(port.Input(), QByteArray()); // reading removed them
    }

    void unaskedBytesWaitForTheNextInput()
    {
        PtyPair pty;
        MSComm port;
        QVERIFY(openOnPty(port, pty));
        port.setRThreshold(1);
        QSignalSpy events(&port, &MSComm::OnComm);
        pty.write("\x07");
        QTRY_COMPARE(events.count(), 1); // nobody reads them
        pty.write("\x05");
        QTRY_COMPARE(events.count(), 2);
        QCOMPARE(port.Input(), QByteArray("\x07\x05"));
    }

    void floodIsBoundedLikeAUartBuffer()
    {
        PtyPair pty;
        MSComm port;
        QVERIFY(openOnPty(port, pty));
        port.setRThreshold(0); // no receive events: nothing ever reads
        QSignalSpy events(&port, &MSComm::OnComm);
        const QByteArray chunk(512, 'x');
        for (int i = 0; i < 64; ++i) {
            pty.write(chunk);
            QTest::qWait(1);
        }
        QTRY_VERIFY(!events.isEmpty());
        QCOMPARE(port.CommEvent(), int(MSComm::comEventRxOver));
        QTRY_COMPARE(port.InBufferCount(), MSComm::InBufferSize);
        QCOMPARE(port.Input(), QByteArray(MSComm::InBufferSize, 'x'));
        pty.write("ok"); // the port still works after an overrun
        QTRY_COMPARE(port.InBufferCount(), 2);
    }

    void vanishedDeviceClosesThePort()
    {
        PtyPair pty;
        MSComm port;
        QVERIFY(openOnPty(port, pty));
        QSignalSpy lost(&port, &MSComm::portLost);
        pty.closeMaster();
        QTRY_COMPARE(lost.count(), 1);
        QVERIFY(!port.PortOpen());

        QCOMPARE(WriteCommand(port, "late"), SendResult::PortNotOpen);
    }

    // A device node named in the by-id folder is kept by that name; a path the
    // operator gave as a link, or one without a by-id name, stays as given.
    void chosenDeviceKeepsItsStableName_data()
    {
        QTest::addColumn<QString>("chosen"); // "@pty": a device named in by-id, "@dir": a folder
        QTest::addColumn<QString>("kept");
        dataRow("device node with a by-id name", "@pty", "@dir/by-id/usb-Vantor-if00");
        dataRow("that name itself", "@dir/by-id/usb-Vantor-if00", "@dir/by-id/usb-Vantor-if00");
        dataRow("a link of the operator's", "@dir/board", "@dir/board");
        dataRow("device without a by-id name", "@other", "@other");
        dataRow("nothing there", "@dir/gone", "@dir/gone");
    }

    void chosenDeviceKeepsItsStableName()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, kept);
        QTemporaryDir dir;
        PtyPair pty, other;
        QVERIFY(QDir(dir.path()).mkdir("by-id"));
        QVERIFY(QFile::link(pty.slavePath(), dir.filePath("by-id/usb-Vantor-if00")));
        QVERIFY(QFile::link(pty.slavePath(), dir.filePath("board")));
        const auto path = [&](QString text) {
            return text.replace("@pty", pty.slavePath())
                .replace("@other", other.slavePath())
                .replace("@dir", dir.path());
        };
        QCOMPARE(StablePath(path(chosen), dir.filePath("by-id")), path(kept));
    }
};

QTEST_MAIN(tst_SerialLink)
#include "tst_seriallink.moc"
