// What the operator does in the panel's windows appears on the simulated
// board's display: the real widgets write through a pseudo-terminal into the
// board model, which answers the reads.
#include "board/boardhost.h"
#include "board/boardlink.h"
#include "board/boardmodel.h"
#include "board/lcdfont.h"
#include "link/modvariables.h"
#include "support/msgboxrecorder.h"
#include "support/testini.h"
#include "ui/custom/frmcustom.h"
#include "ui/main/frmmain.h"
#include "ui/tools/frmgraph.h"
#include "ui/tools/frmscreen.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>

class tst_PanelOnBoard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void twoLinesOfText();
    void cursorMoveAndDelete();
    void tenScreensRecalledWithShow();
    void customCharactersLoadedAndDisplayed();
    void barGraph();
    void readsShowTheSimulatedValues();

private:
    QString row(int r) const { return QString::fromStdString(m_model->state().display.rowText(r)); }
    template <typename T> T *find(QObject *in, const QString &name) const;
    void click(QObject *in, const QString &name) const;
    void type(QObject *in, const QString &name, const QString &text) const;
    void pick(const QString &name, const QString &text) const;
    template <typename W> W *openTool(const QString &menuEntry) const;

    std::unique_ptr<TestIni> m_ini;
    std::unique_ptr<MsgBoxRecorder> m_boxes;
    std::unique_ptr<BoardModel> m_model;
    std::unique_ptr<BoardHost> m_host;
    std::unique_ptr<BoardLink> m_link;
    std::unique_ptr<frmMain> m_panel;
};

void tst_PanelOnBoard::init()
{
    ResetVariables();
    m_ini = std::make_unique<TestIni>();
    m_boxes = std::make_unique<MsgBoxRecorder>();
    m_model = std::make_unique<BoardModel>();
    m_host = std::make_unique<BoardHost>(*m_model);
    m_link = std::make_unique<BoardLink>();
    connect(m_link.get(), &BoardLink::received, m_host.get(),
            [this](const QByteArray &bytes) { m_host->receive(bytes, m_link->panelBaud()); });
    connect(m_host.get(), &BoardHost::reply, m_link.get(), &BoardLink::write);
    QVERIFY2(m_link->open(m_ini->folder() + "/board", 9600), qPrintable(m_link->errorString()));
    m_ini->setContents("[Backlight]\nLevel=50\nAutoOff=30\n");
    m_ini->mapPort(1, m_link->linkPath());

    m_panel = std::make_unique<frmMain>();
    m_panel->Form_Load();
    m_panel->show();
    QVERIFY(m_panel->findChild<MSComm *>("MSComm1")->PortOpen());
    click(m_panel.get(), "cmdClearLCD");
    QTRY_COMPARE(row(0), QString(16, ' '));
}

void tst_PanelOnBoard::cleanup()
{
    m_panel.reset();
    m_link.reset();
    m_host.reset();
    m_model.reset();
    m_boxes.reset();
    m_ini.reset();
}

template <typename T> T *tst_PanelOnBoard::find(QObject *in, const QString &name) const
{
    T *child = in->findChild<T *>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}

void tst_PanelOnBoard::click(QObject *in, const QString &name) const
{
    QTest::mouseClick(find<QAbstractButton>(in, name), Qt::LeftButton);
}

void tst_PanelOnBoard::type(QObject *in, const QString &name, const QString &text) const
{
    auto *box = find<QLineEdit>(in, name);
    box->clear();
    QTest::keyClicks(box, text);
}

void tst_PanelOnBoard::pick(const QString &name, const QString &text) const
{
    auto *box = find<QComboBox>(m_panel.get(), name);
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), text);
}

template <typename W> W *tst_PanelOnBoard::openTool(const QString &menuEntry) const
{
    find<QAction>(m_panel.get(), menuEntry)->trigger();
    auto *window = m_panel->findChild<W *>();
    if (!window || !window->isVisible())
        qFatal("%s did not open", qPrintable(menuEntry));
    return window;
}

void tst_PanelOnBoard::twoLinesOfText()
{
    type(m_panel.get(), "txtLine1", "HELLO");
    type(m_panel.get(), "txtLine2", "WORLD");
    click(m_panel.get(), "cmdSendAscii");
    QTRY_COMPARE(row(1), QStringLiteral("WORLD           "));
    QCOMPARE(row(0), QStringLiteral("HELLO           "));
}

void tst_PanelOnBoard::cursorMoveAndDelete()
{
    type(m_panel.get(), "txtLine1", "ABCDEFGHIJKLMNOP");
    type(m_panel.get(), "txtLine2", "abcdefghijklmnop");
    click(m_panel.get(), "cmdSendAscii");
    QTRY_COMPARE(row(1), QStringLiteral("abcdefghijklmnop"));

    pick("cboRow", "1");
    pick("cboColumn", "3");
    click(m_panel.get(), "cmdSetCursor");
    type(m_panel.get(), "txtLine1", "");
    type(m_panel.get(), "txtLine2", "");
    type(m_panel.get(), "txtLine1", "XYZ");
    click(m_panel.get(), "cmdSendAscii"); // XYZ, then NewLine to the start of row 1
    QTRY_COMPARE(row(1), QStringLiteral("abcXYZghijklmnop"));

    click(m_panel.get(), "cmdClrCol"); // column 3, both rows
    QTRY_COMPARE(row(0), QStringLiteral("ABC EFGHIJKLMNOP"));
    QCOMPARE(row(1), QStringLiteral("abc YZghijklmnop"));
    pick("cboRow", "0");
    click(m_panel.get(), "cmdClrRow");
    QTRY_COMPARE(row(0), QString(16, ' '));
    QCOMPARE(row(1), QStringLiteral("abc YZghijklmnop"));
}

void tst_PanelOnBoard::tenScreensRecalledWithShow()
{
    auto *screens = openTool<frmScreen>("mnuScreen");
    for (int k = 1; k <= 10; ++k) {
        const QString name = QStringLiteral("txtLine") + QString::number(k);
        type(screens, name + '1', QStringLiteral("Screen %1 top").arg(k));
        type(screens, name + '2', QStringLiteral("bottom %1").arg(k));
    }
    click(screens, "cmdSetScreen");
    QTRY_COMPARE_WITH_TIMEOUT(m_boxes->texts(), QStringList{"All Screens Set"}, 10000);
    screens->close();

    for (const int k : {7, 10, 1}) {
        pick("cboScreen", QString::number(k));
        click(m_panel.get(), "cmdShow");
        QTRY_COMPARE(row(0), QStringLiteral("Screen %1 top").arg(k).leftJustified(16));
        QCOMPARE(row(1), QStringLiteral("bottom %1").arg(k).leftJustified(16));
    }
}

void tst_PanelOnBoard::customCharactersLoadedAndDisplayed()
{
    auto *custom = openTool<frmCustom>("mnuCustom");
    click(custom, "cmdSetAll");
    click(custom, "cmdSet0"); // Char 1: a solid block
    click(custom, "cmdClr");
    click(custom, "UDC1_16"); // Char 2: the top-left pixel alone
    click(custom, "cmdSet1");
    click(custom, "cmdLoadCustom");
    click(custom, "cmdShowC_1");
    click(custom, "cmdShowC_0");

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

void tst_PanelOnBoard::barGraph()
{
    auto *graph = openTool<frmGraph>("mnuGraph");
    QTRY_VERIFY(m_model->state().graphMode);
    auto *length = find<QComboBox>(graph, "cboLength");
    length->lineEdit()->selectAll();
    QTest::keyClicks(length->lineEdit(), "12");
    click(graph, "cmdDraw"); // row 0, column 0, left to right: two full cells and 2 of 5 dots
    QTRY_COMPARE(m_model->state().display.at(0, 1), quint8(LcdFont::FullBlock));
    QCOMPARE(m_model->state().display.at(0, 0), quint8(LcdFont::FullBlock));
    QVERIFY(m_model->state().display.at(0, 2) != ScreenText::Blank);
    QCOMPARE(m_model->state().display.at(0, 3), ScreenText::Blank);
    graph->close();
    QTRY_VERIFY(!m_model->state().graphMode);
}

void tst_PanelOnBoard::readsShowTheSimulatedValues()
{
    m_host->setInputs(5);
    m_host->setVoltageCount(512);
    m_host->setCurrentCount(1000);
    click(m_panel.get(), "cmdReadInputs");
    QTRY_COMPARE(find<QLabel>(m_panel.get(), "inputs")->text(), QStringLiteral("5"));
    click(m_panel.get(), "cmdReadA1");
    QTRY_COMPARE(find<QLabel>(m_panel.get(), "analog1")->text(), QStringLiteral(" 5.0176V"));
    click(m_panel.get(), "cmdReadA2");
    QTRY_COMPARE(find<QLabel>(m_panel.get(), "analog2")->text(), QStringLiteral(" 20mA"));
    m_host->setVoltageCount(50);
    click(m_panel.get(), "cmdReadA1");
    QTRY_COMPARE(find<QLabel>(m_panel.get(), "analog1")->text(), QStringLiteral(" .49V"));
}

QTEST_MAIN(tst_PanelOnBoard)
#include "tst_panelonboard.moc"
