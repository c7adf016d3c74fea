// The custom-character window through its widgets, writing to a pseudo-terminal.
#include "link/modvariables.h"
#include "link/mscomm.h"
#include "support/msgboxrecorder.h"
#include "support/ptypair.h"
#include "support/testini.h"
#include "ui/custom/charpreview.h"
#include "ui/custom/frmcustom.h"
#include "ui/custom/pixelcell.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {

const QStringList RowGroups = {"UDC1",  "UDC1A", "UDC1B", "UDC1C",
                               "UDC1D", "UDC1E", "UDC1F", "UDC1G"};
const QList<int> Indexes = {16, 8, 4, 2, 1};

QByteArray rows(std::initializer_list<int> bytes)
{
    QByteArray result;
    for (int byte : bytes)
        result.append(char(byte));
    return result;
}

CharRows full()
{
    CharRows block;
    block.fill(0x1F);
    return block;
}

QByteArray definition(const QByteArray &data)
{
    return QByteArray("\xFE\x64", 2) + data;
}

} // namespace

class tst_frmCustom : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstOpeningShowsBlankGrid();
    void clickingACellTogglesColourAndBit_data();
    void clickingACellTogglesColourAndBit();
    void keyboardMovesAndToggles();
    void storesChangeOnlyWhenStoredInto();
    void loadSendsTheStoresTwice_data();
    void loadSendsTheStoresTwice();
    void displayButtonSendsTheCharacterCode_data();
    void displayButtonSendsTheCharacterCode();
    void reopeningKeepsStoresAndRepaintsTheGrid();
    void closedPortWarnsAndCloses_data();
    void closedPortWarnsAndCloses();
    void previewFollowsTheDrawing();

private:
    void openPortAndWindow();
    template <typename T = QAbstractButton> T *control(const QString &name) const
    {
        T *found = window->findChild<T *>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    PixelCell *cell(int row, int index) const
    {
        return control<PixelCell>(QStringLiteral("%1_%2").arg(RowGroups[row]).arg(index));
    }
    void click(const QString &name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    // True when every cell's colour is the state of its bit in the pattern.
    bool gridMatches(const CharRows &pattern) const;

    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<TestIni> ini;
    std::unique_ptr<MSComm> port;
    std::unique_ptr<MsgBoxRecorder> boxes;
    std::unique_ptr<frmCustom> window;
    std::unique_ptr<QSignalSpy> writes;
};

void tst_frmCustom::init()
{
    ResetVariables();
    pty = std::make_unique<PtyPair>();
    QVERIFY(pty->isValid());
    ini = std::make_unique<TestIni>();
    ini->mapPort(1, pty->slavePath());
    port = std::make_unique<MSComm>();
    boxes = std::make_unique<MsgBoxRecorder>();
    window = std::make_unique<frmCustom>(*port);
    writes = std::make_unique<QSignalSpy>(port.get(), &MSComm::outputWritten);
}

void tst_frmCustom::cleanup()
{
    writes.reset();
    window.reset();
    boxes.reset();
    port.reset();
    ini.reset();
    pty.reset();
}

void tst_frmCustom::openPortAndWindow()
{
    QVERIFY(port->setPortOpen(true));
    window->open();
}

bool tst_frmCustom::gridMatches(const CharRows &pattern) const
{
    for (int row = 0; row < 8; ++row) {
        for (int index : Indexes) {
            const QColor expected =
                (pattern[row] & index) ? QColor(0, 0, 0) : QColor(128, 255, 128);
            if (cell(row, index)->BackColor() != expected)
                return false;
        }
    }
    return true;
}

void tst_frmCustom::firstOpeningShowsBlankGrid()
{
    openPortAndWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("User's Defined Characters"));
    QCOMPARE(window->size(), QSize(530, 259));
    QVERIFY(gridMatches(CharRows{}));
    QCOMPARE(window->pattern(), CharRows{});
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(window->storedChar(n), CharRows{});

    // Each pixel row is one group whose ids are the column bits.
    for (int row = 0; row < 8; ++row) {
        auto *group = window->findChild<QButtonGroup *>(RowGroups[row]);
        QVERIFY(group);
        QCOMPARE(group->buttons().size(), 5);
        for (int index : Indexes)
            QCOMPARE(group->id(cell(row, index)), index);
    }
    QCOMPARE(cell(0, 16)->parentWidget(), control<QGroupBox>("FrameC"));
    QCOMPARE(cell(0, 16)->geometry(), QRect(24, 24, 17, 17));
    QCOMPARE(cell(7, 1)->geometry(), QRect(120, 192, 17, 17));
    QCOMPARE(control("cmdShowC_7")->text(), QStringLiteral("Char 8"));
    QCOMPARE(writes->count(), 0);
}

void tst_frmCustom::clickingACellTogglesColourAndBit_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("index");
    QTest::newRow("top left") << 0 << 16;
    QTest::newRow("bottom right") << 7 << 1;
    QTest::newRow("middle") << 3 << 4;
}

void tst_frmCustom::clickingACellTogglesColourAndBit()
{
    QFETCH(int, row);
    QFETCH(int, index);
    openPortAndWindow();
    CharRows expected{};
    expected[row] = quint8(index);

    QTest::mouseClick(cell(row, index), Qt::LeftButton);
    QCOMPARE(window->pattern(), expected);
    QCOMPARE(cell(row, index)->BackColor(), QColor(0, 0, 0));
    QVERIFY(gridMatches(expected));

    QTest::mouseClick(cell(row, index), Qt::LeftButton);
    QCOMPARE(window->pattern(), CharRows{});
    QVERIFY(gridMatches(CharRows{}));
    QCOMPARE(writes->count(), 0);
}

void tst_frmCustom::keyboardMovesAndToggles()
{
    openPortAndWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    cell(0, 16)->setFocus();
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };

    press(Qt::Key_Left); // the edges hold the focus
    press(Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), cell(0, 16));
    press(Qt::Key_Right);
    press(Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), cell(1, 8));
    press(Qt::Key_Space);
    QCOMPARE(window->pattern()[1], quint8(8));
    QCOMPARE(cell(1, 8)->BackColor(), QColor(0, 0, 0));

    // The grid is one Tab stop: out to "Clear All" and back to the same cell.
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control("cmdClr"));
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), cell(1, 8));
}

void tst_frmCustom::storesChangeOnlyWhenStoredInto()
{
    openPortAndWindow();
    QTest::mouseClick(cell(0, 16), Qt::LeftButton);
    QTest::mouseClick(cell(4, 2), Qt::LeftButton);
    const CharRows drawn = window->pattern();
    for (const char *button : {"cmdSet0", "cmdSet4", "cmdSet7"}) // one drawing, three characters
        click(button);
    QVERIFY(gridMatches(drawn));

    click("cmdSetAll");
    QCOMPARE(window->pattern(), full());
    QVERIFY(gridMatches(full()));
    click("cmdSet2");
    click("cmdClr");
    QCOMPARE(window->pattern(), CharRows{});
    QVERIFY(gridMatches(CharRows{}));

    const CharRows expected[8] = {drawn, {}, full(), {}, drawn, {}, {}, drawn};
    for (int n = 1; n <= 8; ++n)
        QCOMPARE(window->storedChar(n), expected[n - 1]);
    QCOMPARE(writes->count(), 0);
}

void tst_frmCustom::loadSendsTheStoresTwice_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QByteArray>("data");
    const QByteArray none(8, 0);
    const QByteArray block(8, 0x1F);
    const QByteArray corners = rows({0x10, 0, 0, 0, 0, 0, 0, 0x01});

    QTest::newRow("nothing stored") << QStringList() << QByteArray(64, 0);
    QTest::newRow("Set All into Char 1")
        << QStringList{"cmdSetAll", "cmdSet0"} << block + QByteArray(56, 0);
    QTest::newRow("corners into Char 8 and Char 2")
        << QStringList{"UDC1_16", "UDC1G_1", "cmdSet7", "cmdSet1"}
        << none + corners + none.repeated(5) + corners;
    QTest::newRow("a store replaced by a blank")
        << QStringList{"cmdSetAll", "cmdSet3", "cmdSet4", "cmdClr", "cmdSet3"}
        << none.repeated(4) + block + none.repeated(3);
}

void tst_frmCustom::loadSendsTheStoresTwice()
{
    QFETCH(QStringList, clicks);
    QFETCH(QByteArray, data);
    openPortAndWindow();
    for (const QString &name : clicks)
        click(name);

    click("cmdLoadCustom");
    const QByteArray first = definition(data);
    const QByteArray second = first + QByteArray("\xFE\x08", 2);
    QCOMPARE(writes->count(), 2);
    QCOMPARE(writes->at(0).at(0).toByteArray(), first);
    QCOMPARE(writes->at(1).at(0).toByteArray(), second);
    QCOMPARE(pty->readExactly(134), first + second);
    QVERIFY(boxes->texts().isEmpty());
    QVERIFY(window->isVisible());
}

void tst_frmCustom::displayButtonSendsTheCharacterCode_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < 8; ++index)
        QTest::addRow("Char %d", index + 1) << index;
}

void tst_frmCustom::displayButtonSendsTheCharacterCode()
{
    QFETCH(int, index);
    openPortAndWindow();
    click(QStringLiteral("cmdShowC_%1").arg(index));
    QCOMPARE(writes->count(), 1);
    QCOMPARE(pty->read(), QByteArray(1, char(index)));
}

void tst_frmCustom::reopeningKeepsStoresAndRepaintsTheGrid()
{
    openPortAndWindow();
    QTest::mouseClick(cell(0, 16), Qt::LeftButton);
    QTest::mouseClick(cell(6, 4), Qt::LeftButton);
    click("cmdSet2");
    const CharRows drawn = window->pattern();
    window->close();
    QVERIFY(!window->isVisible());

    window->open();
    QVERIFY(window->isVisible());
    QCOMPARE(window->pattern(), drawn);
    QCOMPARE(window->storedChar(3), drawn);
    QVERIFY(gridMatches(drawn));
    // Colour and bit still in step: a click on a lit cell clears both.
    QTest::mouseClick(cell(0, 16), Qt::LeftButton);
    QCOMPARE(window->pattern()[0], quint8(0));
    QVERIFY(gridMatches(window->pattern()));

    click("cmdLoadCustom");
    const QByteArray data =
        QByteArray(16, 0) + rows({0x10, 0, 0, 0, 0, 0, 0x04, 0}) + QByteArray(40, 0);
    QCOMPARE(pty->readExactly(134).left(66), definition(data));
}

void tst_frmCustom::closedPortWarnsAndCloses_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("warnings");
    QTest::newRow("Load") << "cmdLoadCustom" << 2;
    QTest::newRow("display Char 1") << "cmdShowC_0" << 1;
    QTest::newRow("display Char 8") << "cmdShowC_7" << 1;
}

void tst_frmCustom::closedPortWarnsAndCloses()
{
    QFETCH(QString, button);
    QFETCH(int, warnings);
    window->open(); // the port stays closed
    click("cmdSetAll");
    click("cmdSet5");
    QList<bool> shownDuringBox;
    boxes->whileShown([&](const MsgBoxRequest &) { shownDuringBox << window->isVisible(); });

    click(button);
    QCOMPARE(boxes->texts(), QStringList(warnings, QStringLiteral("Port Not Open")));
    for (const MsgBoxRequest &box : boxes->boxes())
        QCOMPARE(box.icon, QMessageBox::Information);
    QList<bool> expectedShown(warnings, false);
    expectedShown[0] = true; // the window closes once the first warning is dismissed
    QCOMPARE(shownDuringBox, expectedShown);
    QVERIFY(!window->isVisible());
    QCOMPARE(writes->count(), 0);
    QVERIFY(pty->readFor(100).isEmpty());

    window->open(); // the stores survive the forced close
    QCOMPARE(window->storedChar(6), full());
    QVERIFY(gridMatches(full()));
}

void tst_frmCustom::previewFollowsTheDrawing()
{
    openPortAndWindow();
    QTest::mouseClick(cell(0, 16), Qt::LeftButton);
    QTest::mouseClick(cell(7, 1), Qt::LeftButton);
    auto *preview = control<CharPreview>("picPreview");
    const QImage image = preview->grab().toImage();
    const QRect real = preview->realSizeRect();
    QCOMPARE(real.size(), QSize(5, 8));
    QVERIFY(preview->rect().contains(real));
    QVERIFY(preview->rect().contains(preview->magnifiedRect()));

    const auto lit = [&](QPoint point) { return QColor(image.pixel(point)) == QColor(0, 0, 0); };
    QVERIFY(lit(real.topLeft()));
    QVERIFY(lit(real.bottomRight()));
    QVERIFY(!lit(real.topLeft() + QPoint(1, 0)));
    QVERIFY(!lit(real.bottomRight() - QPoint(0, 1)));
    const QPoint dot(CharPreview::Scale / 2, CharPreview::Scale / 2);
    QVERIFY(lit(preview->magnifiedRect().topLeft() + dot));
    QVERIFY(!lit(preview->magnifiedRect().topLeft() + dot + QPoint(CharPreview::Scale, 0)));

    click("cmdClr");
    QCOMPARE(QColor(preview->grab().toImage().pixel(real.topLeft())), QColor(128, 255, 128));
}

QTEST_MAIN(tst_frmCustom)
#include "tst_frmcustom.moc"
