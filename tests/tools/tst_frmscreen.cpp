// The user screens window through its widgets, writing to a pseudo-terminal.
#include "link/modvariables.h"
#include "link/mscomm.h"
#include "support/msgboxrecorder.h"
#include "support/ptypair.h"
#include "support/testini.h"
#include "ui/tools/frmscreen.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

using Writes = QList<QByteArray>;

namespace {

constexpr int UploadTimeoutMs = 10000;
// Long enough for several 100 ms ticks to fall due.
constexpr int SeveralTicksMs = 350;

// Types the text key by key, also characters beyond ASCII.
void typeText(QWidget *box, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The twenty writes of a whole upload of the texts (screen k line l at 2(k-1) + l-1).
Writes uploadOf(const QStringList &texts)
{
    Writes writes;
    for (int screen = 1; screen <= 10; ++screen) {
        writes << QByteArray("\xFE") + char(0xC8 + screen) +
                      texts.value(2 * (screen - 1)).toLatin1() + '\r';
        writes << texts.value(2 * (screen - 1) + 1).toLatin1() + '\xFF';
    }
    return writes;
}

} // namespace

class tst_frmScreen : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void uploadsTenScreens_data();
    void uploadsTenScreens();
    void secondClickDoesNotRestart_data();
    void secondClickDoesNotRestart();
    void refusedWriteEndsUpload_data();
    void refusedWriteEndsUpload();
    void closingEndsUploadAndEmptiesBoxes();
    void textBoxesTakeSixteenPlainCharacters();

private:
    QLineEdit *line(int screen, int line) const
    {
        return window->findChild<QLineEdit *>(QStringLiteral("txtLine%1%2").arg(screen).arg(line));
    }
    void typeScreens(const QStringList &texts);
    QStringList boxTexts() const;
    void clickSet()
    {
        QTest::mouseClick(window->findChild<QPushButton *>("cmdSetScreen"), Qt::LeftButton);
    }
    QTimer *timer() const { return window->findChild<QTimer *>("Timer1"); }
    Writes written() const;

    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<TestIni> ini;
    std::unique_ptr<MSComm> port;
    std::unique_ptr<MsgBoxRecorder> boxes;
    std::unique_ptr<frmScreen> window;
    std::unique_ptr<QSignalSpy> writes;
};

void tst_frmScreen::init()
{
    ResetVariables();
    pty = std::make_unique<PtyPair>();
    QVERIFY(pty->isValid());
    ini = std::make_unique<TestIni>();
    ini->mapPort(1, pty->slavePath());
    port = std::make_unique<MSComm>();
    QVERIFY2(port->setPortOpen(true), qPrintable(port->errorString()));
    boxes = std::make_unique<MsgBoxRecorder>();
    window = std::make_unique<frmScreen>(*port);
    writes = std::make_unique<QSignalSpy>(port.get(), &MSComm::outputWritten);
    window->open();
}

void tst_frmScreen::cleanup()
{
    writes.reset();
    window.reset();
    boxes.reset();
    port.reset();
    ini.reset();
    pty.reset();
}

void tst_frmScreen::typeScreens(const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i)
        typeText(line(i / 2 + 1, i % 2 + 1), texts.at(i));
}

QStringList tst_frmScreen::boxTexts() const
{
    QStringList texts;
    for (int screen = 1; screen <= 10; ++screen)
        texts << line(screen, 1)->text() << line(screen, 2)->text();
    return texts;
}

Writes tst_frmScreen::written() const
{
    Writes result;
    for (const auto &call : std::as_const(*writes))
        result << call.at(0).toByteArray();
    return result;
}

void tst_frmScreen::uploadsTenScreens_data()
{
    QTest::addColumn<QStringList>("texts");

    QStringList empty;
    for (int i = 0; i < 20; ++i)
        empty << QString();
    QStringList hello = empty;
    hello[0] = "HELLO";
    hello[1] = "WORLD";
    QStringList full16 = empty;
    full16[8] = "ABCDEFGHIJKLMNOP";
    QStringList tenth = empty;
    tenth[18] = "tenth line one";
    tenth[19] = "tenth line two";
    QStringList every;
    for (int i = 0; i < 20; ++i)
        every << QString::fromUtf8("s%1 l%2 ü ").arg(i / 2 + 1).arg(i % 2 + 1);

    QTest::newRow("all boxes empty") << empty;
    QTest::newRow("screen 1 hello world") << hello;
    QTest::newRow("line 1 of 16 characters still ends with 0D") << full16;
    QTest::newRow("screen 10 filled") << tenth;
    QTest::newRow("every box filled, blanks kept") << every;
}

void tst_frmScreen::uploadsTenScreens()
{
    QFETCH(QStringList, texts);
    typeScreens(texts);
    int writesWhenShown = -1, writesAfterTicks = -1;
    bool timerOffWhenShown = false;
    boxes->whileShown([&](const MsgBoxRequest &) {
        writesWhenShown = int(writes->count());
        timerOffWhenShown = !timer()->isActive();
        QTest::qWait(SeveralTicksMs);
        writesAfterTicks = int(writes->count());
    });

    clickSet();
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), 1, UploadTimeoutMs);
    QCOMPARE(boxes->boxes().first().text, QStringLiteral("All Screens Set"));
    QCOMPARE(boxes->boxes().first().icon, QMessageBox::Information);
    QCOMPARE(writesWhenShown, 20);
    QVERIFY(timerOffWhenShown);
    QCOMPARE(writesAfterTicks, 20);
    QCOMPARE(written(), uploadOf(texts));
    QCOMPARE(pty->read(), uploadOf(texts).join());
    QCOMPARE(boxTexts(), texts);
    QVERIFY(window->isVisible());
}

void tst_frmScreen::secondClickDoesNotRestart_data()
{
    QTest::addColumn<int>("writesBeforeSecondClick");
    QTest::newRow("two quick clicks") << 0;
    QTest::newRow("second click after three screens") << 6;
}

void tst_frmScreen::secondClickDoesNotRestart()
{
    QFETCH(int, writesBeforeSecondClick);
    const QStringList texts{"one", "uno"};

    typeScreens(texts);
    clickSet();
    QTRY_VERIFY(writes->count() >= writesBeforeSecondClick);
    clickSet();
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), 1, UploadTimeoutMs);
    QTest::qWait(SeveralTicksMs);
    QCOMPARE(written(), uploadOf(texts));
    QCOMPARE(boxes->count(), 1);

    // The texts stay, so the same screens can be sent again.
    writes->clear();
    clickSet();
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), 2, UploadTimeoutMs);
    QCOMPARE(written(), uploadOf(texts));
}

void tst_frmScreen::refusedWriteEndsUpload_data()
{
    QTest::addColumn<int>("screensSent");
    QTest::newRow("port closed at the click") << 0;
    QTest::newRow("port lost after screen 3") << 3;
    QTest::newRow("port lost before screen 10") << 9;
}

void tst_frmScreen::refusedWriteEndsUpload()
{
    QFETCH(int, screensSent);
    QStringList texts;
    for (int i = 0; i < 20; ++i)
        texts << QString::number(i);
    typeScreens(texts);
    if (screensSent == 0)
        port->setPortOpen(false);
    const auto losePort = connect(port.get(), &MSComm::outputWritten, port.get(), [&] {
        if (writes->count() == 2 * screensSent)
            port->setPortOpen(false);
    });
    // A modal box keeps events flowing; no tick may run meanwhile.
    boxes->whileShown([](const MsgBoxRequest &) { QTest::qWait(SeveralTicksMs); });

    clickSet();
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count(), 2, UploadTimeoutMs);
    QTest::qWait(SeveralTicksMs);
    QCOMPARE(boxes->texts(), QStringList({"Port Not Open", "Port Not Open"}));
    for (const auto &box : boxes->boxes())
        QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->isLoaded());
    QCOMPARE(written(), uploadOf(texts).mid(0, 2 * screensSent));

    // Opened again: empty boxes, and the next upload starts at screen 1.
    boxes->whileShown({});
    disconnect(losePort);
    QVERIFY(port->setPortOpen(true));
    writes->clear();
    window->open();
    QCOMPARE(boxTexts(), QStringList(QList<QString>(20)));
    clickSet();
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count("All Screens Set"), 1, UploadTimeoutMs);
    QCOMPARE(written(), uploadOf({}));
}

void tst_frmScreen::closingEndsUploadAndEmptiesBoxes()
{
    typeScreens({"first", "screen", "second", "screen"});
    // Opening again while shown changes nothing.
    window->open();
    QCOMPARE(line(2, 1)->text(), QStringLiteral("second"));

    clickSet();
    QTRY_VERIFY(writes->count() >= 4);
    window->close();
    const qsizetype sentBeforeClosing = writes->count();
    QTest::qWait(SeveralTicksMs);
    QCOMPARE(writes->count(), sentBeforeClosing);
    QVERIFY(!timer()->isActive());

    window->open();
    QCOMPARE(boxTexts(), QStringList(QList<QString>(20)));
    writes->clear();
    clickSet();
    QTRY_COMPARE_WITH_TIMEOUT(boxes->count("All Screens Set"), 1, UploadTimeoutMs);
    QCOMPARE(written(), uploadOf({}));
}

void tst_frmScreen::textBoxesTakeSixteenPlainCharacters()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("User's Defined Screens"));
    QLineEdit *box = line(10, 2);
    QVERIFY(box);
    // Characters without a one-byte code, and the framing bytes FE and FF, are refused.
    typeText(box, QString::fromUtf8("€þÿabcdefghijklmnopqrst"));
    QCOMPARE(box->text(), QStringLiteral("abcdefghijklmnop"));
}

QTEST_MAIN(tst_frmScreen)
#include "tst_frmscreen.moc"
