// The real VantorBoard executable, headless, driven through its link with a
// serial port as the panel would: bytes in, replies out.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes.append(char(value));
    return bytes;
}

// Everything that arrives within ms, or up to count bytes.
QByteArray ReadUpTo(QSerialPort &port, int count, int ms)
{
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (bytes.size() < count && timer.elapsed() < ms) {
        port.waitForReadyRead(20);
        bytes += port.readAll();
    }
    return bytes;
}

void Send(QSerialPort &port, const QByteArray &bytes)
{
    port.write(bytes);
    QVERIFY(port.waitForBytesWritten(2000));
}

} // namespace

class tst_BoardExe : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void answersReadsThroughTheLink();
    void ignoresAPanelAtTheWrongSpeed();
    void keepsItsMemoryInTheStoreFile();
    void refusesBadArguments_data();
    void refusesBadArguments();

private:
    void startBoard(const QStringList &extra = {});
    void openPort(QSerialPort &port, int baud);
    // True once the board's trace holds text (the trace read so far is kept).
    bool traced(const char *text);
    void stopBoard();

    QTemporaryDir m_dir;
    QString m_link;
    QProcess m_board;
    QByteArray m_trace;
};

void tst_BoardExe::init()
{
    m_trace.clear();
    m_link = m_dir.filePath(QStringLiteral("board-%1").arg(QTest::currentTestFunction()));
}

void tst_BoardExe::cleanup()
{
    if (m_board.state() != QProcess::NotRunning) {
        m_board.terminate();
        QVERIFY(m_board.waitForFinished(5000));
    }
    QVERIFY2(!QFileInfo(m_link).isSymLink(), "the link outlives the board");
}

void tst_BoardExe::startBoard(const QStringList &extra)
{
    m_board.start(QStringLiteral(VANTORBOARD_PATH),
                  QStringList{"--headless", "--trace", "--link", m_link} + extra);
    QVERIFY(m_board.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_link).isSymLink(), 10000);
}

bool tst_BoardExe::traced(const char *text)
{
    m_trace += m_board.readAllStandardOutput();
    return m_trace.contains(text);
}

void tst_BoardExe::stopBoard()
{
    m_board.terminate();
    QVERIFY(m_board.waitForFinished(5000));
    QCOMPARE(m_board.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_board.exitCode(), 0);
}

void tst_BoardExe::openPort(QSerialPort &port, int baud)
{
    port.setPortName(m_link);
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    QVERIFY(port.setBaudRate(baud));
}

void tst_BoardExe::answersReadsThroughTheLink()
{
    startBoard({"--inputs", "5", "--voltage", "512", "--current", "1000"});
    QSerialPort port;
    openPort(port, 9600);
    Send(port, Bytes({0xFE, 0x0A}));
    QCOMPARE(ReadUpTo(port, 1, 5000), Bytes({5}));
    Send(port, Bytes({0xFE, 0x0B}) + "text" + Bytes({0xFE, 0x0C, 0xFE, 0x0D}));
    QCOMPARE(ReadUpTo(port, 6, 5000), Bytes({0, 2, 0, 0, 3, 0xE8}));
    port.close();
    stopBoard();
    QVERIFY2(traced("FE 0A  ReadInputs -> 05\n"), m_trace.constData());
    QVERIFY2(traced("74 65 78 74  text \"text\"\nFE 0C  Code28\nFE 0D  ReadCurrent -> 00 03 E8\n"),
             m_trace.constData());
}

// A real board would only see garbage; the simulated one ignores the bytes.
void tst_BoardExe::ignoresAPanelAtTheWrongSpeed()
{
    startBoard({"--inputs", "9"});
    QSerialPort port;
    openPort(port, 19200);
    Send(port, Bytes({0xFE, 0x0A}));
    QCOMPARE(ReadUpTo(port, 1, 500), QByteArray());
    QVERIFY(port.setBaudRate(9600));
    Send(port, Bytes({0xFE, 0x0A}));
    QCOMPARE(ReadUpTo(port, 1, 5000), Bytes({9}));
    // The board follows SetDeviceBaud19200 at once; the panel must follow it.
    Send(port, Bytes({0xFE, 0x1F}));
    QTRY_VERIFY_WITH_TIMEOUT(traced("SetDeviceBaud19200"), 5000);
    QVERIFY(port.setBaudRate(19200));
    Send(port, Bytes({0xFE, 0x0A}));
    QCOMPARE(ReadUpTo(port, 1, 5000), Bytes({9}));
    port.close();
    stopBoard();
    QVERIFY2(traced("speed mismatch: panel 19200 bit/s, board 9600 bit/s"), m_trace.constData());
}

void tst_BoardExe::keepsItsMemoryInTheStoreFile()
{
    const QString store = m_dir.filePath(QStringLiteral("board.nv"));
    startBoard({"--store", store});
    {
        QSerialPort port;
        openPort(port, 9600);
        Send(port, Bytes({0xFE, 0x28, 99, 0xFE, 0x20}));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(store), 5000);
    }
    stopBoard();
    QFile file(store);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("brightness=99\n"));
}

void tst_BoardExe::refusesBadArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("occupyLink");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("speed") << QStringList{"--speed", "4800"} << false << 2;
    QTest::newRow("inputs") << QStringList{"--inputs", "256"} << false << 2;
    QTest::newRow("voltage") << QStringList{"--voltage", "many"} << false << 2;
    QTest::newRow("unknown option") << QStringList{"--colour"} << false << 2;
    QTest::newRow("link is an ordinary file") << QStringList() << true << 1;
}

void tst_BoardExe::refusesBadArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, occupyLink);
    QFETCH(int, exitCode);
    m_link += QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_');
    if (occupyLink) {
        QFile file(m_link);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("mine");
    }
    m_board.start(QStringLiteral(VANTORBOARD_PATH),
                  QStringList{"--headless", "--link", m_link} + arguments);
    QVERIFY(m_board.waitForFinished(10000));
    QCOMPARE(m_board.exitCode(), exitCode);
    QVERIFY(!m_board.readAllStandardError().isEmpty());
    QCOMPARE(QFileInfo::exists(m_link), occupyLink);
    if (occupyLink) {
        QFile file(m_link);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("mine"));
    }
}

QTEST_GUILESS_MAIN(tst_BoardExe)
#include "tst_boardexe.moc"
