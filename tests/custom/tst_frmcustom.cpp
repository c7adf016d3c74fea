// The custom-character window through its widgets, writing to a pseudo-terminal.
#include "support/toolwindowharness.h"
#include "ui/custom/charpreview.h"
#include "ui/custom/frmcustom.h"
#include "ui/custom/pixelcell.h"

#include <QtTest>

using Writes = QList<QByteArray>;

namespace {

const QStringList RowGroups = {"UDC1",  "UDC1A", "UDC1B", "UDC1C",
                               "UDC1D", "UDC1E", "UDC1F", "UDC1G"};
const QColor Lit(0, 0, 0);
const QColor Unlit(128, 255, 128);

CharRows full()
{
    CharRows block;
    block.fill(0x1F);
    return block;
}

} // namespace

class tst_frmCustom : public QObject
{
    Q_OBJECT
    std::unique_ptr<ToolWindowHarness> run;
    frmCustom *window = nullptr;

    PixelCell *cell(int row, int index) const
    {
        return run->find<PixelCell>(QStringLiteral("%1_%2").arg(RowGroups[row]).arg(index));
    }
    // True when every cell's colour is the state of its bit in the pattern.
    bool gridMatches(const CharRows &pattern) const
    {
        for (int row = 0; row < 8; ++row) {
            for (int index : {16, 8, 4, 2, 1}) {
                if (cell(row, index)->BackColor() != ((pattern[row] & index) ? Lit : Unlit))
                    return false;
            }
        }
        return true;
    }

private slots:
    void init()
    {
        run = std::make_unique<ToolWindowHarness>();
        window = &run->window<frmCustom>();
    }

    void cleanup() { run.reset(); }

    // Cells, "Set All", "Clear All" and the "Set" buttons change the drawing and
    // the stores and send nothing; "Load" sends the eight stores twice, the second
    // time followed by GraphModeOff; a "Display" button sends its character code.
    void stepsThenWrites_data()
    {
        QTest::addColumn<QStringList>("steps"); // controls clicked; "reopen" closes and opens
        QTest::addColumn<Writes>("writes");
        const auto load = [](const QByteArray &stores) {
            return Writes{hex("FE64") + stores, hex("FE64") + stores + hex("FE08")};
        };
        const QByteArray none(8, 0);
        const QByteArray block(8, 0x1F);

        QTest::newRow("nothing stored") << QStringList{"cmdLoadCustom"} << load(QByteArray(64, 0));
        QTest::newRow("Set All into Char 1") << QStringList{"cmdSetAll", "cmdSet0", "cmdLoadCustom"}
                                             << load(block + QByteArray(56, 0));
        QTest::newRow("one drawing into Char 8 and Char 2, a second click clears")
            << QStringList{"UDC1_16", "UDC1G_1", "UDC1C_4",      "UDC1C_4",
                           "cmdSet7", "cmdSet1", "cmdLoadCustom"}
            << load(none + hex("1000000000000001") + none.repeated(5) + hex("1000000000000001"));
        QTest::newRow("Clear All leaves the stores")
            << QStringList{"cmdSetAll", "cmdSet3", "cmdSet4", "cmdClr", "cmdSet3", "cmdLoadCustom"}
            << load(none.repeated(4) + block + none.repeated(3));
        // The stores and the drawing outlive closing, colours and bits in step.
        QTest::newRow("reopened") << QStringList{"UDC1_16", "UDC1F_4", "cmdSet2",      "reopen",
                                                 "UDC1_16", "cmdSet3", "cmdLoadCustom"}
                                  << load(none.repeated(2) + hex("1000000000000400")
                                          + hex("0000000000000400") + none.repeated(4));
        QTest::newRow("display Char 1") << QStringList{"cmdShowC_0"} << Writes{hex("00")};
        QTest::newRow("display Char 8") << QStringList{"cmdShowC_7"} << Writes{hex("07")};
    }

    void stepsThenWrites()
    {
        QFETCH(QStringList, steps);
        QFETCH(Writes, writes);
        QVERIFY(run->openPort());
        window->open();
        for (const QString &step : steps) {
            if (step == "reopen") {
                window->close();
                window->open();
            } else {
                run->click(step);
            }
            QVERIFY2(gridMatches(window->pattern()), qPrintable(step));
        }
        QCOMPARE(run->writes.all(), writes);
        QCOMPARE(run->wire(writes.join().size()), writes.join());
        QCOMPARE(run->boxes.count(), 0);
        QVERIFY(window->isVisible());
    }

    void keyboardMovesAndToggles()
    {
        window->open();
        QVERIFY(QTest::qWaitForWindowActive(window));
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
        QCOMPARE(cell(1, 8)->BackColor(), Lit);

        // The grid is one Tab stop: out to "Clear All" and back to the same cell.
        press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), run->find("cmdClr"));
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), cell(1, 8));
    }

    void closedPortWarnsAndCloses_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("warnings");
        QTest::newRow("Load") << "cmdLoadCustom" << 2;
        QTest::newRow("display Char 1") << "cmdShowC_0" << 1;
    }

    void closedPortWarnsAndCloses()
    {
        QFETCH(QString, button);
        QFETCH(int, warnings);
        window->open(); // the port stays closed
        run->click("cmdSetAll");
        run->click("cmdSet5");
        QList<bool> shownDuringBox;
        run->boxes.whileShown(
            [&](const MsgBoxRequest &) { shownDuringBox << window->isVisible(); });

        run->click(button);
        QCOMPARE(run->shownBoxes(), QStringList(warnings, "information: Port Not Open"));
        QList<bool> expectedShown(warnings, false);
        expectedShown[0] = true; // the window closes once the first warning is dismissed
        QCOMPARE(shownDuringBox, expectedShown);
        QVERIFY(!window->isVisible());
        QCOMPARE(run->writes.count(), 0);
        QVERIFY(run->wire(0).isEmpty());

        window->open(); // the stores survive the forced close
        QCOMPARE(window->storedChar(6), full());
        QVERIFY(gridMatches(full()));
    }

    void previewFollowsTheDrawing()
    {
        window->open();
        run->click("UDC1_16");
        run->click("UDC1G_1");
        auto *preview = run->find<CharPreview>("picPreview");
        const QImage image = preview->grab().toImage();
        const QRect real = preview->realSizeRect();
        QCOMPARE(real.size(), QSize(5, 8));
        QVERIFY(preview->rect().contains(real));
        QVERIFY(preview->rect().contains(preview->magnifiedRect()));

        const auto lit = [&](QPoint point) { return QColor(image.pixel(point)) == Lit; };
        QVERIFY(lit(real.topLeft()));
        QVERIFY(lit(real.bottomRight()));
        QVERIFY(!lit(real.topLeft() + QPoint(1, 0)));
        QVERIFY(!lit(real.bottomRight() - QPoint(0, 1)));
        const QPoint dot(CharPreview::Scale / 2, CharPreview::Scale / 2);
        QVERIFY(lit(preview->magnifiedRect().topLeft() + dot));
        QVERIFY(!lit(preview->magnifiedRect().topLeft() + dot + QPoint(CharPreview::Scale, 0)));

        run->click("cmdClr");
        QCOMPARE(QColor(preview->grab().toImage().pixel(real.topLeft())), Unlit);
    }
};

QTEST_MAIN(tst_frmCustom)
#include "tst_frmcustom.moc"
