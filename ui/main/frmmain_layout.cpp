// The controls of the main window, placed at fixed positions in a client area
// of 507 by 400 pixels below the menu bar, and their wiring.

#include "ui/main/frmmain.h"

#include "link/portmap.h"
#include "protocol/textframes.h"
#include "ui/fixedform.h"
#include "ui/main/toolwindowentry.h"
#include "ui/traffic/trafficmodel.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

using namespace Qt::StringLiterals;

namespace {

constexpr int ClientWidth = 507;
constexpr int ClientHeight = 400;
constexpr qreal ControlPointSize = 8.25;

// A read-out: white background, coloured text of the given size. Its
// accessible name stays the label's text, so a screen reader says the value
// shown; the description says what the value is.
QLabel *makeReadout(QWidget *parent, const QString &name, const QString &description,
                    const QRect &geometry, const QColor &colour, qreal pointSize)
{
    auto *label = new QLabel(parent);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    QFont font = label->font();
    font.setPointSizeF(pointSize);
    label->setFont(font);
    label->setAccessibleDescription(description);
    return place(label, name, geometry);
}

QAction *makeMenuItem(QMenu *menu, QActionGroup *group, const QString &name, const QString &caption,
                      int data)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(name);
    item->setCheckable(true);
    item->setData(data);
    group->addAction(item);
    return item;
}

} // namespace

void frmMain::createMenus()
{
    const auto entry = [this](QAction *action, const QString &name) {
        action->setObjectName(name);
        auto *toolEntry = new ToolWindowEntry(action);
        m_toolEntries << toolEntry;
        return toolEntry;
    };

    mnuCom = menuBar()->addMenu(u"Communication"_s);
    mnuCom->setObjectName(u"mnuCom"_s);
    mnuCom->setToolTipsVisible(true); // each port's tip names its device
    mnuPort = new QActionGroup(this);
    for (int port = FirstMenuPort; port <= LastMenuPort; ++port)
        makeMenuItem(mnuCom, mnuPort, u"mnuPort%1"_s.arg(port), u"COM %1"_s.arg(port), port);
    mnuCom->addSeparator();
    mnuChooseDevice = mnuCom->addAction(u"Choose Device..."_s);
    mnuChooseDevice->setObjectName(u"mnuChooseDevice"_s);
    mnuTraffic = entry(mnuCom->addAction(u"Show Traffic..."_s), u"mnuTraffic"_s);
    mnuReleasePort = mnuCom->addAction(u"Release Port"_s);
    mnuReleasePort->setObjectName(u"mnuReleasePort"_s);
    mnuReleasePort->setStatusTip(u"Close the port so that another program may open it"_s);
    mnuOpenPort = mnuCom->addAction(u"Open Port"_s);
    mnuOpenPort->setObjectName(u"mnuOpenPort"_s);
    mnuOpenPort->setStatusTip(u"Open the port again, with the port and speed in force"_s);
    mnuCom->addSeparator();
    mnuSendState = mnuCom->addAction(u"Send Panel State"_s);
    mnuSendState->setObjectName(u"mnuSendState"_s);
    mnuSendState->setStatusTip(u"Send the board the cursor, backlight, auto-off and outputs the "
                               "panel shows"_s);

    QMenu *mnuBaud = menuBar()->addMenu(u"Baud Rate"_s);
    mnuBaud->setObjectName(u"mnuBaud"_s);
    mnuBaudRate = new QActionGroup(this);
    makeMenuItem(mnuBaud, mnuBaudRate, u"mnuBaudRate0"_s, u"9600 bps"_s, 0);
    makeMenuItem(mnuBaud, mnuBaudRate, u"mnuBaudRate1"_s, u"19200 bps"_s, 1);
    mnuBaud->addSeparator();
    mnuFollowSpeed = mnuBaud->addAction(u"Follow Board Speed"_s);
    mnuFollowSpeed->setObjectName(u"mnuFollowSpeed"_s);
    mnuFollowSpeed->setCheckable(true);
    mnuFollowSpeed->setStatusTip(
        u"After \"Send Configuration\" has told the board another speed, switch the port to it"_s);

    QMenu *mnuCon = menuBar()->addMenu(u"Configuration"_s);
    mnuCon->setObjectName(u"mnuCon"_s);
    mnuConfig = entry(mnuCon->addAction(u"Configure LCD"_s), u"mnuConfig"_s);
    mnuScreen = entry(mnuCon->addAction(u"Screens Definitions"_s), u"mnuScreen"_s);
    mnuCustom = entry(mnuCon->addAction(u"Custom Characters"_s), u"mnuCustom"_s);
    mnuScroll = entry(menuBar()->addAction(u"Scrolling Text"_s), u"mnuScroll"_s);
    mnuGraph = entry(menuBar()->addAction(u"Graph"_s), u"mnuGraph"_s);

    // Beyond the five menus of the panel, at the right end.
    QMenu *mnuTools = menuBar()->addMenu(u"Tools"_s);
    mnuTools->setObjectName(u"mnuTools"_s);
    mnuPlotInputs = entry(mnuTools->addAction(u"Plot Inputs..."_s), u"mnuPlotInputs"_s);
}

QWidget *frmMain::createClientArea()
{
    auto *client = new QWidget(this);
    client->setObjectName(u"client"_s);
    client->setFixedSize(ClientWidth, ClientHeight);
    // The controls are sized for a small, narrow 8-point face; wider text would be cut off.
    QFont font = client->font();
    font.setFamilies({u"Arial"_s, u"Liberation Sans"_s, u"DejaVu Sans Condensed"_s});
    font.setPointSizeF(ControlPointSize);
    client->setFont(font);
    // Created in tab order: the left column top to bottom, then the right one.
    createTextFrame(client);
    createCursorFrame(client);
    createScreenFrame(client);
    createBacklightFrame(client);
    createIoFrame(client);
    createLooseControls(client);
    // Enter clicks the button that has the focus, like Space.
    for (QPushButton *button : client->findChildren<QPushButton *>())
        button->setAutoDefault(true);
    return client;
}

void frmMain::createTextFrame(QWidget *client)
{
    auto *frame = makeFrame(client, u"fraSendAscii"_s, u"Send ASCII Text"_s, {24, 24, 225, 81});
    txtLine1 = makeTextBox(frame, u"txtLine1"_s, u"Line 1"_s, {16, 24, 113, 19}, DisplayLineLength,
                           TextPlace::Free);
    txtLine2 = makeTextBox(frame, u"txtLine2"_s, u"Line 2"_s, {16, 48, 113, 19}, DisplayLineLength,
                           TextPlace::Free);
    cmdSendAscii = makeButton(frame, u"cmdSendAscii"_s, u"Send"_s, {144, 24, 65, 17});
    cmdClearLCD = makeButton(frame, u"cmdClearLCD"_s, u"Clear LCD"_s, {144, 48, 65, 17});
}

void frmMain::createCursorFrame(QWidget *client)
{
    auto *frame = makeFrame(client, u"fraCursor"_s, u"Cursor Control"_s, {24, 112, 225, 209});
    optCursor = new QButtonGroup(this);
    optCursor->addButton(
        makeOption(frame, u"optCursor1"_s, u"Underlined Cursor"_s, {16, 24, 113, 17}), 1);
    optCursor->addButton(
        makeOption(frame, u"optCursor2"_s, u"Block Blinking Cursor"_s, {16, 48, 145, 17}), 2);
    optCursor->addButton(makeOption(frame, u"optCursor3"_s, u"Hide Cursor"_s, {16, 72, 113, 17}),
                         3);
    cboRow = makePicker(frame, u"cboRow"_s, u"Row"_s, {48, 104, 41, 21});
    makeLabel(frame, u"Row"_s, {16, 104, 33, 17}, cboRow);
    cboColumn = makePicker(frame, u"cboColumn"_s, u"Column"_s, {144, 104, 49, 21});
    makeLabel(frame, u"Column"_s, {104, 104, 41, 17}, cboColumn);
    cmdSetCursor =
        makeButton(frame, u"cmdSetCursor"_s, u"Set Cursor Position"_s, {24, 144, 177, 17});
    cmdClrRow = makeButton(frame, u"cmdClrRow"_s, u"Delete Row"_s, {24, 176, 73, 17});
    cmdClrCol = makeButton(frame, u"cmdClrCol"_s, u"Delete Column"_s, {112, 176, 89, 17});
}

void frmMain::createScreenFrame(QWidget *client)
{
    auto *frame = makeFrame(client, u"fraScreen"_s, u"Display User's Screen"_s, {24, 328, 225, 57});
    cboScreen = makePicker(frame, u"cboScreen"_s, u"Screen"_s, {72, 24, 49, 21});
    makeLabel(frame, u"Screen"_s, {16, 24, 41, 17}, cboScreen);
    cmdShow = makeButton(frame, u"cmdShow"_s, u"Show"_s, {144, 24, 57, 17});
}

void frmMain::createBacklightFrame(QWidget *client)
{
    auto *frame = makeFrame(client, u"fraBacklight"_s, u"Backlight Control"_s, {264, 24, 225, 145});
    optBLON = makeOption(frame, u"optBLON"_s, u"Turn On Backlight"_s, {24, 24, 137, 17});
    optBLOFF = makeOption(frame, u"optBLOFF"_s, u"Turn Off Backlight"_s, {24, 48, 137, 17});
    BacklightLevel =
        place(new QSlider(Qt::Horizontal, frame), u"BacklightLevel"_s, {24, 80, 177, 17});
    BacklightLevel->setRange(50, 250);
    BacklightLevel->setSingleStep(1);
    BacklightLevel->setPageStep(5);
    BacklightLevel->setValue(50);
    BacklightLevel->setTracking(false); // a drag changes the value once, on release
    BacklightLevel->setAccessibleName(u"Adjust Backlight Brightness"_s);
    makeLabel(frame, u"Adjust Backlight Brightness"_s, {32, 96, 169, 17}, BacklightLevel);
    Check1 = makeBox(frame, u"Check1"_s, u"Disable Auto Off"_s, {32, 120, 17, 17});
    makeLabel(frame, u"Disable Auto Off"_s, {56, 120, 81, 17}, Check1);
}

void frmMain::createIoFrame(QWidget *client)
{
    auto *frame = makeFrame(client, u"fraIO"_s, u"General Purpose I/O"_s, {264, 176, 225, 185});
    const struct
    {
        int index;
        int left;
    } outputs[] = {{1, 24}, {2, 88}, {4, 152}};
    for (int i = 0; i < 3; ++i) {
        const QString caption = u"Out%1"_s.arg(i + 1);
        auto *box = makeBox(frame, u"Out%1"_s.arg(outputs[i].index), caption,
                            {outputs[i].left, 24, 17, 17});
        Out.insert(outputs[i].index, box);
        makeLabel(frame, caption, {outputs[i].left + 24, 24, 33, 17}, box);
    }
    cmdOutput = makeButton(frame, u"cmdOutput"_s, u"Set Outputs"_s, {24, 48, 73, 25});
    cmdReadInputs = makeButton(frame, u"cmdReadInputs"_s, u"Read Inputs"_s, {24, 80, 73, 25});
    inputs = makeReadout(frame, u"inputs"_s, u"Digital inputs, as last read"_s, {128, 80, 65, 25},
                         Qt::black, 12.0);
    cmdReadA1 = makeButton(frame, u"cmdReadA1"_s, u"Read 0-10V"_s, {24, 112, 73, 25});
    analog1 = makeReadout(frame, u"analog1"_s, u"0-10V input, as last read"_s, {128, 112, 65, 25},
                          Qt::red, 9.75);
    cmdReadA2 = makeButton(frame, u"cmdReadA2"_s, u"Read 0-20mA"_s, {24, 144, 73, 25});
    analog2 = makeReadout(frame, u"analog2"_s, u"0-20mA input, as last read"_s, {128, 144, 65, 25},
                          Qt::red, 9.75);
}

void frmMain::createLooseControls(QWidget *client)
{
    cmdSave = makeButton(client, u"cmdSave"_s, u"Save Settings in non-volatile memory"_s,
                         {264, 368, 217, 17});
    auto *web = makeLabel(client, u"www.vantor.example"_s, {376, 8, 121, 17});
    web->setObjectName(u"lblWeb"_s);
    QPalette palette = web->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    web->setPalette(palette);
    QFont font = web->font();
    font.setFamily(u"Times New Roman"_s);
    web->setFont(font);
}

void frmMain::initConnections()
{
    connect(mnuPort, &QActionGroup::triggered, this,
            [this](QAction *item) { mnuPort_Click(item->data().toInt()); });
    connect(mnuBaudRate, &QActionGroup::triggered, this,
            [this](QAction *item) { mnuBaudRate_Click(item->data().toInt()); });
    connect(mnuConfig->action(), &QAction::triggered, this, &frmMain::mnuConfig_Click);
    connect(mnuScreen->action(), &QAction::triggered, this, &frmMain::mnuScreen_Click);
    connect(mnuCustom->action(), &QAction::triggered, this, &frmMain::mnuCustom_Click);
    connect(mnuScroll->action(), &QAction::triggered, this, &frmMain::mnuScroll_Click);
    connect(mnuGraph->action(), &QAction::triggered, this, &frmMain::mnuGraph_Click);
    connect(mnuTraffic->action(), &QAction::triggered, this, &frmMain::mnuTraffic_Click);
    connect(mnuPlotInputs->action(), &QAction::triggered, this, &frmMain::mnuPlotInputs_Click);
    // The traffic of another program through the panel is named for it.
    connect(&MSComm1, &MSComm::outputWritten, m_traffic,
            [this](const QByteArray &bytes) { m_traffic->written(bytes, MSComm1.Origin()); });
    connect(&MSComm1, &MSComm::inputArrived, m_traffic,
            [this](const QByteArray &bytes) { m_traffic->received(bytes, MSComm1.Origin()); });
    connect(&m_portEvents, &PortEvents::happened, m_traffic,
            [this](const PortEvent &event) { m_traffic->noted(event.text()); });

    connect(cmdSendAscii, &QPushButton::clicked, this, &frmMain::cmdSendAscii_Click);
    // Enter in either line presses "Send".
    connect(txtLine1, &QLineEdit::returnPressed, cmdSendAscii, &QPushButton::click);
    connect(txtLine2, &QLineEdit::returnPressed, cmdSendAscii, &QPushButton::click);
    connect(cmdClearLCD, &QPushButton::clicked, this, &frmMain::cmdClearLCD_Click);
    connect(optCursor, &QButtonGroup::idClicked, this, &frmMain::optCursor_Click);
    connect(cmdSetCursor, &QPushButton::clicked, this, &frmMain::cmdSetCursor_Click);
    connect(cmdClrRow, &QPushButton::clicked, this, &frmMain::cmdClrRow_Click);
    connect(cmdClrCol, &QPushButton::clicked, this, &frmMain::cmdClrCol_Click);
    connect(cmdShow, &QPushButton::clicked, this, &frmMain::cmdShow_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);

    connect(optBLON, &QRadioButton::clicked, this, &frmMain::optBLON_Click);
    connect(optBLOFF, &QRadioButton::clicked, this, &frmMain::optBLOFF_Click);
    // Without tracking, valueChanged reports each completed change: keys, clicks,
    // the end of a drag and values set by the program.
    connect(BacklightLevel, &QSlider::valueChanged, this, &frmMain::BacklightLevel_Change);
    connect(Check1, &QCheckBox::toggled, this, &frmMain::Check1_Click);

    for (auto it = Out.cbegin(); it != Out.cend(); ++it) {
        const int index = it.key();
        connect(it.value(), &QCheckBox::toggled, this, [this, index] { Out_Click(index); });
    }
    connect(cmdOutput, &QPushButton::clicked, this, &frmMain::cmdOutput_Click);
    connect(cmdReadInputs, &QPushButton::clicked, this, &frmMain::cmdReadInputs_Click);
    connect(cmdReadA1, &QPushButton::clicked, this, &frmMain::cmdReadA1_Click);
    connect(cmdReadA2, &QPushButton::clicked, this, &frmMain::cmdReadA2_Click);

    connect(&MSComm1, &MSComm::OnComm, this, &frmMain::MSComm1_OnComm);
    connect(&Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(&m_replyDeadline, &ReplyDeadline::expired, this, &frmMain::ReplyDeadline_Expired);
    connect(&m_reads, &ReadTurns::readWanted, this, &frmMain::PollRead);
    connect(&m_reads, &ReadTurns::heldReadDue, this, [this](ReadKind kind) { ReadNow(kind); });
}
