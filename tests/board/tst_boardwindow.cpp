// The board's window, operated through its widgets.
#include "boardhost.h"
#include "boardmodel.h"
#include "boardtestbytes.h"
#include "boardwindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

namespace {

constexpr int BoardBaud = 9600;

double MeanLightness(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    double sum = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            sum += QColor(image.pixel(x, y)).lightnessF();
    return sum / ((image.height() / 2) * (image.width() / 2));
}

} // namespace

class tst_BoardWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void inputCheckBoxesAnswerReadInputs();
    void analogCountsAnswerTheReads_data();
    void analogCountsAnswerTheReads();
    void largeStartingCountsShownAsAnswered();
    void outputLamps();
    void powerCycleButton();
    void speedMismatchIsShown();
    void logListsCommandsWithAnswers();
    void logFloodShowsItsLatestLines();
    void displayShowsTextAndBacklight();
    void titleNamesTheLink();

private:
    template <typename T> T *child(const char *name)
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    QByteArray receive(const QByteArray &bytes, int baud = BoardBaud);

    BoardModel *m_model = nullptr;
    BoardHost *m_host = nullptr;
    BoardWindow *m_window = nullptr;
};

void tst_BoardWindow::init()
{
    m_model = new BoardModel;
    m_host = new BoardHost(*m_model);
    m_host->setLogging(true);
    m_window =
        new BoardWindow(*m_host, QStringLiteral("/tmp/test-board"), QStringLiteral("/dev/pts/9"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_BoardWindow::cleanup()
{
    delete m_window;
    delete m_host;
    delete m_model;
}

QByteArray tst_BoardWindow::receive(const QByteArray &bytes, int baud)
{
    QSignalSpy replies(m_host, &BoardHost::reply);
    m_host->receive(bytes, baud);
    QByteArray all;
    for (const auto &reply : replies)
        all += reply.at(0).toByteArray();
    return all;
}

void tst_BoardWindow::inputCheckBoxesAnswerReadInputs()
{
    QTest::mouseClick(child<QCheckBox>("in1"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>("in3"), Qt::LeftButton);
    QTest::mouseClick(child<QCheckBox>("in8"), Qt::LeftButton);
    QCOMPARE(receive(Bytes({0xFE, 0x0A})), Bytes({0x85}));
    QTest::mouseClick(child<QCheckBox>("in8"), Qt::LeftButton);
    QCOMPARE(receive(Bytes({0xFE, 0x0A})), Bytes({0x05}));
}

void tst_BoardWindow::analogCountsAnswerTheReads_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QByteArray>("reply");
    dataRow("0-10 V at 512", "voltageCount", "512", "voltageText", "5.0176 V", Bytes({0xFE, 0x0B}),
            Bytes({0, 2, 0}));
    dataRow("0-10 V at full scale", "voltageCount", "1023", "voltageText", "10.0254 V",
            Bytes({0xFE, 0x0B}), Bytes({0, 3, 0xFF}));
    dataRow("0-20 mA at 1000", "currentCount", "1000", "currentText", "20 mA", Bytes({0xFE, 0x0D}),
            Bytes({0, 3, 0xE8}));
}

void tst_BoardWindow::analogCountsAnswerTheReads()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(QByteArray, read);
    QFETCH(QByteArray, reply);
    auto *spin = child<QSpinBox>(qPrintable(box));
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, typed);
    QTest::keyClick(spin, Qt::Key_Enter);
    QCOMPARE(child<QLabel>(qPrintable(label))->text(), text);
    QCOMPARE(receive(read), reply);
}

// Counts given at the start (--voltage, --current) go up to 65535: the boxes
// show what the board answers.
void tst_BoardWindow::largeStartingCountsShownAsAnswered()
{
    delete m_window;
    m_host->setVoltageCount(40000);
    m_host->setCurrentCount(65535);
    m_window =
        new BoardWindow(*m_host, QStringLiteral("/tmp/test-board"), QStringLiteral("/dev/pts/9"));
    QCOMPARE(child<QSpinBox>("voltageCount")->value(), 40000);
    QCOMPARE(child<QSpinBox>("currentCount")->value(), 65535);
    QCOMPARE(receive(Bytes({0xFE, 0x0B, 0xFE, 0x0D})), Bytes({0, 0x9C, 0x40, 0, 0xFF, 0xFF}));
}

void tst_BoardWindow::outputLamps()
{
    receive(Bytes({0xFE, 0x2F, 5}));
    QVERIFY(child<QLabel>("out1")->property("lit").toBool());
    QVERIFY(!child<QLabel>("out2")->property("lit").toBool());
    QVERIFY(child<QLabel>("out3")->property("lit").toBool());
    receive(Bytes({0xFE, 0x2F, 2}));
    QVERIFY(!child<QLabel>("out1")->property("lit").toBool());
    QVERIFY(child<QLabel>("out2")->property("lit").toBool());
}

void tst_BoardWindow::powerCycleButton()
{
    receive(Bytes({0xFE, 0xC8}) + "Power" + Bytes({0x0D}) + "up"
            + Bytes({0xFF, 0x0D, 0xFE, 0x2F, 7}) + "before");
    QCOMPARE(Row(*m_model, 0), Padded("before"));
    QTest::mouseClick(child<QPushButton>("powerCycle"), Qt::LeftButton);
    QCOMPARE(Row(*m_model, 0), Padded("Power"));
    QCOMPARE(Row(*m_model, 1), Padded("up"));
    QVERIFY(!child<QLabel>("out1")->property("lit").toBool());
}

void tst_BoardWindow::speedMismatchIsShown()
{
    auto *mismatch = child<QLabel>("speedMismatch");
    QVERIFY(!mismatch->isVisible());
    const QSize size = m_window->size();
    QCOMPARE(receive(Bytes({0xFE, 0x0A}), 19200), QByteArray());
    QVERIFY(mismatch->isVisible());
    QTest::qWait(0);                  // the layout settles
    QCOMPARE(m_window->size(), size); // the window neither widens nor grows
    QCOMPARE(mismatch->text(),
             QStringLiteral("speed mismatch: panel 19200 bit/s, board 9600 bit/s"));
    QCOMPARE(Row(*m_model, 0), QString::fromLatin1(BoardSettings().startup.rowText(0).c_str()));
    QCOMPARE(receive(Bytes({0xFE, 0x0A}), BoardBaud), Bytes({0}));
    QVERIFY(!mismatch->isVisible());
}

// The log is written out a few times a second, so it is waited for.
void tst_BoardWindow::logListsCommandsWithAnswers()
{
    auto *log = child<QPlainTextEdit>("log");
    QTest::mouseClick(child<QCheckBox>("in2"), Qt::LeftButton);
    receive(QByteArray("Hi") + Bytes({0xFE, 0x0A}));
    QTRY_VERIFY2(
        log->toPlainText().contains(QStringLiteral("48 69  text \"Hi\"\nFE 0A  ReadInputs -> 02")),
        qPrintable(log->toPlainText()));
}

// A flood is cut to the last lines of each write-out, and the log says how many it left out.
void tst_BoardWindow::logFloodShowsItsLatestLines()
{
    auto *log = child<QPlainTextEdit>("log");
    QByteArray flood;
    for (int column = 0; column < 16; ++column)
        flood += Bytes({0xFE, 0x2E, column, 0xFE, 0x2D, column % 2, 0xFE, 0x28, 100 + column});
    receive(flood);
    QTRY_VERIFY2(log->toPlainText().contains(QStringLiteral("FE 28 73  SetBrightness 115")),
                 qPrintable(log->toPlainText()));
    QVERIFY2(log->toPlainText().contains(QStringLiteral("... 24 lines not shown\n")),
             qPrintable(log->toPlainText()));
    QVERIFY(!log->toPlainText().contains(QStringLiteral("FE 2E 00  DeleteColumn 0")));
}

// The dot matrix is painted from the board: full blocks darken it, the backlight lights it.
void tst_BoardWindow::displayShowsTextAndBacklight()
{
    QWidget *lcd = child<QWidget>("lcd");
    receive(Bytes({0x0D}));
    const double blank = MeanLightness(lcd);
    receive(QByteArray(32, char(0xFF)));
    const double blocks = MeanLightness(lcd);
    QVERIFY2(blocks < blank, qPrintable(QStringLiteral("%1 vs %2").arg(blocks).arg(blank)));
    receive(Bytes({0x0D, 0xFE, 0x07}));
    QVERIFY(MeanLightness(lcd) < blank);
    receive(Bytes({0xFE, 0x06, 0xFE, 0x28, 50}));
    const double dim = MeanLightness(lcd);
    QVERIFY(dim < blank);
}

// Two boards side by side tell apart by the link each publishes.
void tst_BoardWindow::titleNamesTheLink()
{
    QCOMPARE(m_window->windowTitle(), QString::fromUtf8("VantorBoard — /tmp/test-board"));
}

QTEST_MAIN(tst_BoardWindow)
#include "tst_boardwindow.moc"
