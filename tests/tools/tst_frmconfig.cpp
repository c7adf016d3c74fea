// The configuration window through its widgets, writing to a pseudo-terminal.
#include "link/modini.h"
#include "link/modvariables.h"
#include "link/mscomm.h"
#include "link/serialsettings.h"
#include "support/msgboxrecorder.h"
#include "support/ptypair.h"
#include "support/testini.h"
#include "ui/tools/frmconfig.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

using Writes = QList<QByteArray>;

// Types the text key by key, also characters beyond ASCII.
static void typeText(QWidget *box, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class tst_frmConfig : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sendsFiveWrites_data();
    void sendsFiveWrites();
    void unconvertibleIntervalSendsNothing_data();
    void unconvertibleIntervalSendsNothing();
    void loadingSelectsSpeedOption_data();
    void loadingSelectsSpeedOption();
    void optionsSetSettingsAndSendNothing();
    void speedCommandFollowsSettingsAtClick();
    void startupLinesAreCutTo16AndSavedBack();
    void savesAtEveryKindOfClosing_data();
    void savesAtEveryKindOfClosing();
    void closedPortWarnsFiveTimesAndSavesOnce();
    void reopeningShowsIntervalSavedLast();
    void windowShape();

private:
    template <typename T> T *control(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QLineEdit *intervalBox() const { return control<QComboBox>("cboAuto")->lineEdit(); }
    void type(QLineEdit *box, const QString &text)
    {
        box->clear();
        typeText(box, text);
    }
    void click(const char *name)
    {
        QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
    }
    Writes written() const;

    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<TestIni> ini;
    std::unique_ptr<MSComm> port;
    std::unique_ptr<MsgBoxRecorder> boxes;
    std::unique_ptr<frmConfig> window;
    std::unique_ptr<QSignalSpy> writes;
};

void tst_frmConfig::init()
{
    ResetVariables();
    strAutoOff = QStringLiteral("30");
    strCommSettings = Settings9600;
    pty = std::make_unique<PtyPair>();
    QVERIFY(pty->isValid());
    ini = std::make_unique<TestIni>();
    ini->mapPort(1, pty->slavePath());
    port = std::make_unique<MSComm>();
    QVERIFY2(port->setPortOpen(true), qPrintable(port->errorString()));
    boxes = std::make_unique<MsgBoxRecorder>();
    window = std::make_unique<frmConfig>(*port);
    writes = std::make_unique<QSignalSpy>(port.get(), &MSComm::outputWritten);
}

void tst_frmConfig::cleanup()
{
    writes.reset();
    window.reset();
    boxes.reset();
    port.reset();
    ini.reset();
    pty.reset();
}

Writes tst_frmConfig::written() const
{
    Writes result;
    for (const auto &call : std::as_const(*writes))
        result << call.at(0).toByteArray();
    return result;
}

void tst_frmConfig::sendsFiveWrites_data()
{
    QTest::addColumn<QString>("interval");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    QTest::addColumn<QByteArray>("option");
    QTest::addColumn<Writes>("expected");

    QTest::newRow("hello world at 9600")
        << "30"
        << "HELLO"
        << "WORLD" << QByteArray("opt9600")
        << Writes{"\xFE\x29\x1E", "\xFE\xC8", "HELLO\r", "WORLD\xFF", "\xFE\x1E"};
    QTest::newRow("full line 1 gets no mark") << "0"
                                              << "ABCDEFGHIJKLMNOP"
                                              << "x" << QByteArray("opt9600")
                                              << Writes{QByteArray("\xFE\x29\x00", 3), "\xFE\xC8",
                                                        "ABCDEFGHIJKLMNOP", "x\xFF", "\xFE\x1E"};
    QTest::newRow("both lines empty at 19200")
        << "255"
        << ""
        << "" << QByteArray("opt19200")
        << Writes{"\xFE\x29\xFF", "\xFE\xC8", "\r", "\xFF", "\xFE\x1F"};
    QTest::newRow("half rounds to even, blanks kept in lines")
        << " 2.5 "
        << " a "
        << "b  " << QByteArray("opt19200")
        << Writes{"\xFE\x29\x02", "\xFE\xC8", " a \r", "b  \xFF", "\xFE\x1F"};
    QTest::newRow("one byte per Latin-1 character")
        << "7" << QString::fromUtf8("Grüße") << QString::fromUtf8("café") << QByteArray("opt9600")
        << Writes{"\xFE\x29\x07", "\xFE\xC8",
                  "Gr\xFC\xDF"
                  "e\r",
                  "caf\xE9\xFF", "\xFE\x1E"};
}

void tst_frmConfig::sendsFiveWrites()
{
    QFETCH(QString, interval);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    QFETCH(QByteArray, option);
    QFETCH(Writes, expected);

    window->open();
    type(intervalBox(), interval);
    type(control<QLineEdit>("txtLine1"), line1);
    type(control<QLineEdit>("txtLine2"), line2);
    click(option.constData());
    click("cmdSetLCD");

    QCOMPARE(written(), expected);
    QCOMPARE(pty->read(), expected.join());
    QCOMPARE(boxes->count(), 0);
    QVERIFY(window->isVisible());
}

void tst_frmConfig::unconvertibleIntervalSendsNothing_data()
{
    QTest::addColumn<QString>("interval");
    QTest::newRow("empty") << "";
    QTest::newRow("word") << "soon";
    QTest::newRow("negative") << "-1";
    QTest::newRow("above 255") << "256";
    QTest::newRow("rounds above 255") << "255.5";
    QTest::newRow("decimal comma") << "1,5";
}

void tst_frmConfig::unconvertibleIntervalSendsNothing()
{
    QFETCH(QString, interval);

    window->open();
    type(intervalBox(), interval);
    click("cmdSetLCD");

    QCOMPARE(boxes->count(), 1);
    const MsgBoxRequest &box = boxes->boxes().first();
    QVERIFY(box.text.contains(QLatin1String("Interval (seconds)")));
    QVERIFY(box.text.contains(QLatin1String("0 to 255")));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(writes->count(), 0);
    QVERIFY(pty->readFor(100).isEmpty());

    // The window stays open and works once the interval is mended.
    QVERIFY(window->isVisible());
    type(intervalBox(), QStringLiteral("5"));
    click("cmdSetLCD");
    QCOMPARE(writes->count(), 5);
    QCOMPARE(written().first(), QByteArray("\xFE\x29\x05"));
}

void tst_frmConfig::loadingSelectsSpeedOption_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("is9600");
    QTest::newRow("9600") << Settings9600 << true;
    QTest::newRow("19200") << Settings19200 << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("other text") << "4800,n,8,1" << false;
    QTest::newRow("9600 with a blank") << "9600,n,8,1 " << false;
}

void tst_frmConfig::loadingSelectsSpeedOption()
{
    QFETCH(QString, settings);
    QFETCH(bool, is9600);

    // An earlier opening leaves "19200 bps" selected; the loading must set
    // strCommSettings also when the option it selects is selected already.
    strCommSettings = Settings19200;
    window->open();
    window->close();

    strCommSettings = settings;
    window->open();
    QCOMPARE(control<QRadioButton>("opt9600")->isChecked(), is9600);
    QCOMPARE(control<QRadioButton>("opt19200")->isChecked(), !is9600);
    QCOMPARE(strCommSettings, is9600 ? Settings9600 : Settings19200);
    QCOMPARE(writes->count(), 0);
}

void tst_frmConfig::optionsSetSettingsAndSendNothing()
{
    window->open();
    QVERIFY(control<QRadioButton>("opt9600")->isChecked());

    click("opt19200");
    QCOMPARE(strCommSettings, Settings19200);
    QVERIFY(!control<QRadioButton>("opt9600")->isChecked());
    window->close();
    QCOMPARE(strCommSettings, Settings19200);
    QCOMPARE(ReadIniValue(QStringLiteral("Settings"), QStringLiteral("Setting")), QString());

    window->open();
    click("opt9600");
    QCOMPARE(strCommSettings, Settings9600);
    QCOMPARE(writes->count(), 0);
    QCOMPARE(port->Settings(), Settings9600); // the computer's port keeps its speed
}

void tst_frmConfig::speedCommandFollowsSettingsAtClick()
{
    window->open();
    QVERIFY(control<QRadioButton>("opt9600")->isChecked());
    strCommSettings = Settings19200; // the main window's speed menu
    click("cmdSetLCD");
    QCOMPARE(written().size(), 5);
    QCOMPARE(written().last(), QByteArray("\xFE\x1F"));
}

void tst_frmConfig::startupLinesAreCutTo16AndSavedBack()
{
    ini->setContents("[startup]\nline1=ABCDEFGHIJKLMNOPQRST\nline2=short\n");
    window->open();
    QCOMPARE(control<QLineEdit>("txtLine1")->text(), QStringLiteral("ABCDEFGHIJKLMNOP"));
    QCOMPARE(control<QLineEdit>("txtLine2")->text(), QStringLiteral("short"));

    click("cmdSetLCD");
    QCOMPARE(written().at(2), QByteArray("ABCDEFGHIJKLMNOP"));
    window->close();
    QCOMPARE(ReadIniValue(QStringLiteral("Startup"), QStringLiteral("LINE1")),
             QStringLiteral("ABCDEFGHIJKLMNOP"));
}

void tst_frmConfig::savesAtEveryKindOfClosing_data()
{
    QTest::addColumn<QString>("closing");
    QTest::newRow("close box") << "close box";
    QTest::newRow("refused write") << "refused write";
    QTest::newRow("window destroyed while open") << "destroyed";
}

void tst_frmConfig::savesAtEveryKindOfClosing()
{
    QFETCH(QString, closing);

    window->open();
    type(intervalBox(), QStringLiteral("45"));
    type(control<QLineEdit>("txtLine1"), QStringLiteral("ONE"));
    type(control<QLineEdit>("txtLine2"), QStringLiteral("TWO"));
    if (closing == QLatin1String("close box")) {
        window->close();
    } else if (closing == QLatin1String("refused write")) {
        port->setPortOpen(false);
        click("cmdSetLCD");
    } else {
        window.reset();
    }

    if (window)
        QVERIFY(!window->isVisible());
    // A file without start-up entries gets them under the mixed-case keys.
    const QByteArray file = ini->contents();
    QVERIFY(file.contains("[Startup]"));
    QVERIFY(file.contains("Line1=ONE"));
    QVERIFY(file.contains("Line2=TWO"));
    QCOMPARE(ReadIniValue(QStringLiteral("Backlight"), QStringLiteral("AutoOff")),
             QStringLiteral("45"));
    QCOMPARE(strAutoOff, QStringLiteral("30"));
}

void tst_frmConfig::closedPortWarnsFiveTimesAndSavesOnce()
{
    port->setPortOpen(false);
    window->open();
    type(intervalBox(), QStringLiteral("12"));
    type(control<QLineEdit>("txtLine1"), QStringLiteral("left"));
    type(control<QLineEdit>("txtLine2"), QStringLiteral("behind"));
    bool closedAfterFirst = false;
    boxes->whileShown([&](const MsgBoxRequest &) {
        if (boxes->count() != 2)
            return;
        closedAfterFirst = !window->isVisible() && !window->isLoaded();
        // A second saving would overwrite this.
        WriteIniValue(QStringLiteral("Startup"), QStringLiteral("Line1"), QStringLiteral("marker"));
    });
    click("cmdSetLCD");

    QCOMPARE(boxes->count(QStringLiteral("Port Not Open")), 5);
    QCOMPARE(boxes->count(), 5);
    for (const auto &box : boxes->boxes())
        QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY(closedAfterFirst);
    QVERIFY(!window->isVisible());
    QVERIFY(!window->isLoaded());
    QCOMPARE(ReadIniValue(QStringLiteral("Startup"), QStringLiteral("Line1")),
             QStringLiteral("marker"));
    QCOMPARE(ReadIniValue(QStringLiteral("Startup"), QStringLiteral("Line2")),
             QStringLiteral("behind"));
    QCOMPARE(ReadIniValue(QStringLiteral("Backlight"), QStringLiteral("AutoOff")),
             QStringLiteral("12"));
    QCOMPARE(writes->count(), 0);
    QVERIFY(pty->readFor(100).isEmpty());
}

void tst_frmConfig::reopeningShowsIntervalSavedLast()
{
    // The first opening shows the start-up value, not the file's present one.
    WriteIniValue(QStringLiteral("Backlight"), QStringLiteral("AutoOff"), QStringLiteral("99"));
    window->open();
    QCOMPARE(control<QComboBox>("cboAuto")->currentText(), QStringLiteral("30"));
    type(intervalBox(), QStringLiteral("45"));
    type(control<QLineEdit>("txtLine1"), QStringLiteral("typed"));

    // Opening again while shown changes nothing.
    window->open();
    QCOMPARE(control<QLineEdit>("txtLine1")->text(), QStringLiteral("typed"));
    window->close();

    WriteIniValue(QStringLiteral("Startup"), QStringLiteral("Line1"), QStringLiteral("from file"));
    window->open();
    QCOMPARE(control<QComboBox>("cboAuto")->currentText(), QStringLiteral("45"));
    QCOMPARE(control<QLineEdit>("txtLine1")->text(), QStringLiteral("from file"));
    window->close();
    QCOMPARE(ReadIniValue(QStringLiteral("Backlight"), QStringLiteral("AutoOff")),
             QStringLiteral("45"));
    QCOMPARE(strAutoOff, QStringLiteral("30"));
}

void tst_frmConfig::windowShape()
{
    window->open();
    QCOMPARE(window->windowTitle(), QStringLiteral("Configure Vantor"));
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QCOMPARE(window->size(), QSize(447, 160));
    const QPoint offCentre =
        window->frameGeometry().center() - window->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2, "the window opens centred on the screen");
    for (const auto *captioned : window->findChildren<QWidget *>()) {
        if (qobject_cast<const QLabel *>(captioned) ||
            qobject_cast<const QAbstractButton *>(captioned))
            QVERIFY2(captioned->width() >= captioned->sizeHint().width(), "no caption is cut");
    }

    // The list is "0" to "255" at every opening; typed text never joins it.
    auto *cboAuto = control<QComboBox>("cboAuto");
    type(intervalBox(), QStringLiteral("77"));
    QTest::keyClick(intervalBox(), Qt::Key_Return);
    window->close();
    window->open();
    QCOMPARE(cboAuto->count(), 256);
    QCOMPARE(cboAuto->itemText(0), QStringLiteral("0"));
    QCOMPARE(cboAuto->itemText(255), QStringLiteral("255"));

    // At most 16 characters, and only characters that go out as one byte.
    auto *line1 = control<QLineEdit>("txtLine1");
    type(line1, QString::fromUtf8("€12345678901234567890"));
    QCOMPARE(line1->text(), QStringLiteral("1234567890123456"));
}

QTEST_MAIN(tst_frmConfig)
#include "tst_frmconfig.moc"
