// What the operator does in the panel's windows appears on the simulated
// board's display: the real widgets write through a pseudo-terminal into the
// board model, which answers the reads.
#include "board/boardhost.h"
#include "board/boardlink.h"
#include "board/boardmodel.h"
#include "board/lcdfont.h"
#include "support/mainwindowharness.h"
#include "ui/custom/frmcustom.h"
#include "ui/tools/frmconfig.h"
#include "ui/tools/frmgraph.h"
#include "ui/tools/frmscreen.h"

#include <QAction>
#include <QtTest>
#include <memory>

class tst_PanelOnBoard : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_run = std::make_unique<MainWindowHarness>();
        m_model = std::make_unique<BoardModel>();
        m_host = std::make_unique<BoardHost>(*m_model);
        m_link = std::make_unique<BoardLink>();
        connect(m_link.get(), &BoardLink::received, m_host.get(),
                [this](const QByteArray &bytes) { m_host->receive(bytes, m_link->panelBaud()); });
        connect(m_host.get(), &BoardHost::reply, m_link.get(), &BoardLink::write);
        QVERIFY2(m_link->open(m_run->ini.folder() + "/board", 9600),
                 qPrintable(m_link->errorString()));
        m_run->ini.setContents(MainWindowHarness::BoardOnCom1);
        m_run->ini.mapPort(1, m_link->linkPath());

        m_run->start();
        QVERIFY(m_run->port->PortOpen());
        m_run->click("cmdClearLCD");
        QTRY_COMPARE(row(0), QString(16, ' '));
    }

    void cleanup()
    {
        m_run->window.reset(); // the panel goes first, while the board still listens
        m_link.reset();
        m_host.reset();
        m_model.reset();
        m_run.reset();
    }

    void twoLinesOfText()
    {
        m_run->type("txtLine1", "HELLO");
        m_run->type("txtLine2", "WORLD");
        m_run->click("cmdSendAscii");
        QTRY_COMPARE(row(1), QStringLiteral("WORLD           "));
        QCOMPARE(row(0), QStringLiteral("HELLO           "));
    }

    void cursorMoveAndDelete()
    {
        m_run->type("txtLine1", "ABCDEFGHIJKLMNOP");
        m_run->type("txtLine2", "abcdefghijklmnop");
        m_run->click("cmdSendAscii");
        QTRY_COMPARE(row(1), QStringLiteral("abcdefghijklmnop"));

        m_run->type("cboRow", "1");
        m_run->type("cboColumn", "3");
        m_run->click("cmdSetCursor");
        m_run->type("txtLine1", "");
        m_run->type("txtLine2", "");
        m_run->type("txtLine1", "XYZ");
        m_run->click("cmdSendAscii"); // XYZ, then NewLine to the start of row 1
        QTRY_COMPARE(row(1), QStringLiteral("abcXYZghijklmnop"));

        m_run->click("cmdClrCol"); // column 3, both rows
        QTRY_COMPARE(row(0), QStringLiteral("ABC EFGHIJKLMNOP"));
        QCOMPARE(row(1), QStringLiteral("abc YZghijklmnop"));
        m_run->type("cboRow", "0");
        m_run->click("cmdClrRow");
        QTRY_COMPARE(row(0), QString(16, ' '));
        QCOMPARE(row(1), QStringLiteral("abc YZghijklmnop"));
    }

    void tenScreensRecalledWithShow()
    {
        auto *screens = openTool<frmScreen>("mnuScreen");
        for (int k = 1; k <= 10; ++k) {
            const QString name = QStringLiteral("txtLine") + QString::number(k);
            retype(child<QWidget>(screens, name + '1'), QStringLiteral("Screen %1 top").arg(k));
            retype(child<QWidget>(screens, name + '2'), QStringLiteral("bottom %1").arg(k));
        }
        clickButton(screens, "cmdSetScreen");
        QTRY_COMPARE_WITH_TIMEOUT(m_run->boxes.texts(), QStringList{"All Screens Set"}, 10000);
        screens->close();

        for (const int k : {7, 10, 1}) {
            m_run->type("cboScreen", QString::number(k));
            m_run->click("cmdShow");
            QTRY_COMPARE(row(0), QStringLiteral("Screen %1 top").arg(k).leftJustified(16));
            QCOMPARE(row(1), QStringLiteral("bottom %1").arg(k).leftJustified(16));
        }
    }

    void customCharactersLoadedAndDisplayed()
    {
        auto *custom = openTool<frmCustom>("mnuCustom");
        clickButton(custom, "cmdSetAll");
        clickButton(custom, "cmdSet0"); // Char 1: a solid block
        clickButton(custom, "cmdClr");
        clickButton(custom, "UDC1_16"); // Char 2: the top-left pixel alone
        clickButton(custom, "cmdSet1");
        clickButton(custom, "cmdLoadCustom");
        clickButton(custom, "cmdShowC_1");
        clickButton(custom, "cmdShowC_0");

        QTRY_COMPARE(m_model->state().display.at(0, 1), quint8(0x00));
        QCOMPARE(m_model->state().display.at(0, 0), quint8(0x01));
        const Glyph block = m_model->state().customChars[0];
        const Glyph dot = m_model->state().customChars[1];
        for (int r = 0; r < 8; ++r) {
            QCOMPARE(int(block[size_t(r)]), 0x1F);
            QCOMPARE(int(dot[size_t(r)]), r == 0 ? 0x10 : 0x00);
        }
        QVERIFY(!m_model->state().graphMode); // the load ends with GraphModeOff
    }

    // A start-up line that holds custom characters goes from vantor.ini into
    // the board's start-up screen as it stands.
    void startupScreenWithCustomCharacters()
    {
        const QByteArray line1("\x00Hi\x07", 4);
        m_run->ini.setContents(m_run->ini.contents() + "[Startup]\nLine1=" + line1
                               + "\nLine2=\x01\xE9t\xE9\n");
        auto *config = openTool<frmConfig>("mnuConfig");
        clickButton(config, "cmdSetLCD");
        QTRY_COMPARE(QByteArray::fromStdString(m_model->stored().startup.rowText(0)),
                     line1 + QByteArray(12, ' '));
        QCOMPARE(QByteArray::fromStdString(m_model->stored().startup.rowText(1)),
                 QByteArray("\x01\xE9t\xE9") + QByteArray(12, ' '));
        QCOMPARE(m_run->boxes.count(), 0);
        config->close();
        QVERIFY(m_run->ini.contents().contains("Line1=" + line1 + "\n"));
    }

    void barGraph()
    {
        auto *graph = openTool<frmGraph>("mnuGraph");
        QTRY_VERIFY(m_model->state().graphMode);
        retype(child<QWidget>(graph, "cboLength"), "12");
        clickButton(graph,
                    "cmdDraw"); // row 0, column 0, left to right: two full cells and 2 of 5 dots
        QTRY_COMPARE(m_model->state().display.at(0, 1), quint8(LcdFont::FullBlock));
        QCOMPARE(m_model->state().display.at(0, 0), quint8(LcdFont::FullBlock));
        QVERIFY(m_model->state().display.at(0, 2) != ScreenText::Blank);
        QCOMPARE(m_model->state().display.at(0, 3), ScreenText::Blank);
        graph->close();
        QTRY_VERIFY(!m_model->state().graphMode);
    }

    void readsShowTheSimulatedValues()
    {
        m_host->setInputs(5);
        m_host->setVoltageCount(512);
        m_host->setCurrentCount(1000);
        m_run->click("cmdReadInputs");
        QTRY_COMPARE(m_run->shown("inputs"), QStringLiteral("5"));
        m_run->click("cmdReadA1");
        QTRY_COMPARE(m_run->shown("analog1"), QStringLiteral(" 5.0176V"));
        m_run->click("cmdReadA2");
        QTRY_COMPARE(m_run->shown("analog2"), QStringLiteral(" 20mA"));
        m_host->setVoltageCount(50);
        m_run->click("cmdReadA1");
        QTRY_COMPARE(m_run->shown("analog1"), QStringLiteral(" .49V"));
    }

private:
    QString row(int r) const { return QString::fromStdString(m_model->state().display.rowText(r)); }
    QWidget *panel() const { return m_run->window.get(); }

    template <typename W> W *openTool(const QString &menuEntry) const
    {
        m_run->find<QAction>(menuEntry)->trigger();
        auto *window = panel()->findChild<W *>();
        if (!window || !window->isVisible())
            qFatal("%s did not open", qPrintable(menuEntry));
        return window;
    }

    // The panel runs on the simulated board instead of the harness's pseudo-terminal.
    std::unique_ptr<MainWindowHarness> m_run;
    std::unique_ptr<BoardModel> m_model;
    std::unique_ptr<BoardHost> m_host;
    std::unique_ptr<BoardLink> m_link;
};

QTEST_MAIN(tst_PanelOnBoard)
#include "tst_panelonboard.moc"
