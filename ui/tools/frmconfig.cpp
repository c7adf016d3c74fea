#include "ui/tools/frmconfig.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "link/modvariables.h"
#include "link/serialsettings.h"
#include "protocol/commands.h"
#include "protocol/merrowfunc.h"
#include "protocol/textbytes.h"
#include "protocol/textframes.h"
#include "ui/fixedform.h"
#include "ui/msgbox.h"
#include "ui/sendcommand.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

const QString BadIntervalText =
    QStringLiteral("Interval (seconds) must be a whole number from 0 to 255.");
const QString LeftOutText =
    QStringLiteral("%1 in the settings file holds characters that cannot be sent to the "
                   "board (%2). They were left out of the start-up screen.");

// The speed the settings text of a speed option stands for; 0 for another text.
qint32 OptionSpeed(const QString &settings)
{
    if (settings == Settings9600)
        return 9600;
    if (settings == Settings19200)
        return 19200;
    return 0;
}

} // namespace

frmConfig::frmConfig(MSComm &port, QWidget *parent) : ToolWindow(parent), MSComm1(port)
{
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(QStringLiteral("Configure Vantor"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(447, 160);
    // The fixed geometry below is drawn for a small dialog font of 11 pixels.
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    createControls();
    initConnections();
}

frmConfig::~frmConfig()
{
    // Torn down while open (the program ends with it on screen): save all the same.
    if (isLoaded())
        Form_Unload();
}

void frmConfig::createControls()
{
    createIntervalFrame();
    createSpeedFrame();
    createStartupFrame();
    cmdSetLCD = makeButton(this, QStringLiteral("cmdSetLCD"), QStringLiteral("Send Configuration"),
                           {264, 112, 145, 25});
}

// The captions are widened where the font at hand needs more room than the
// fixed geometry gives them.
void frmConfig::createIntervalFrame()
{
    auto *frame = makeFrame(this, QStringLiteral("fraAutoOff"),
                            QStringLiteral("LCD Backlight Auto Off"), {24, 16, 217, 57});
    const QString caption = QStringLiteral("Interval (seconds)");
    QLabel *label = makeLabel(frame, caption, {24, 24, 97, 17});
    fitCaption(label);
    cboAuto = makePicker(frame, QStringLiteral("cboAuto"), caption, {128, 24, 65, 21});
    label->setBuddy(cboAuto);
}

void frmConfig::createSpeedFrame()
{
    // One frame, one group: the two options exclude each other.
    auto *frame = makeFrame(this, QStringLiteral("fraBaudRate"), QStringLiteral("Vantor Baud Rate"),
                            {24, 88, 217, 49});
    opt9600 =
        makeOption(frame, QStringLiteral("opt9600"), QStringLiteral("9600 bps"), {24, 24, 73, 13});
    fitCaption(opt9600);
    opt19200 = makeOption(frame, QStringLiteral("opt19200"), QStringLiteral("19200 bps"),
                          {112, 24, 73, 17});
    fitCaption(opt19200);
}

void frmConfig::createStartupFrame()
{
    auto *frame = makeFrame(this, QStringLiteral("fraStartup"),
                            QStringLiteral("Define Start Up Screen"), {264, 16, 145, 81});
    txtLine1 = makeTextBox(frame, QStringLiteral("txtLine1"), QStringLiteral("Line 1"),
                           {16, 24, 113, 19}, DisplayLineLength, TextPlace::Definition);
    txtLine2 = makeTextBox(frame, QStringLiteral("txtLine2"), QStringLiteral("Line 2"),
                           {16, 48, 113, 19}, DisplayLineLength, TextPlace::Definition);
}

void frmConfig::initConnections()
{
    connect(cmdSetLCD, &QPushButton::clicked, this, &frmConfig::cmdSetLCD_Click);
    connect(opt9600, &QRadioButton::clicked, this, &frmConfig::opt9600_Click);
    connect(opt19200, &QRadioButton::clicked, this, &frmConfig::opt19200_Click);
}

void frmConfig::Form_Load()
{
    fillIntervalList();
    // A later opening shows what this window saved last, never an older value.
    const QString interval = m_savedInterval.value_or(strAutoOff);
    cboAuto->setCurrentIndex(cboAuto->findText(interval));
    cboAuto->setEditText(interval);
    selectSpeedOption();
    txtLine1->setText(StoredStartupLine(Ini::Line1ReadKey, Ini::Line1Key));
    txtLine2->setText(StoredStartupLine(Ini::Line2ReadKey, Ini::Line2Key));
    m_centreWhenShown = true;
}

// A stored start-up line as its box takes it: its first 16 characters, without
// those a definition cannot carry. When characters were left out, a warning
// names the key (as the file has it after a closing) and the codes.
QString frmConfig::StoredStartupLine(const QString &readKey, const QString &savedKey)
{
    const QString line = ReadIniValue(Ini::StartupSection, readKey).left(DisplayLineLength);
    const QString leftOut = UnsendableCodes(line, TextPlace::Definition);
    if (!leftOut.isEmpty())
        MsgBox(this, LeftOutText.arg(Ini::StartupSection + QLatin1Char('/') + savedKey, leftOut),
               QMessageBox::Warning);
    return SendableText(line, TextPlace::Definition);
}

void frmConfig::Form_Unload()
{
    WriteIniValue(Ini::StartupSection, Ini::Line1Key, txtLine1->text());
    WriteIniValue(Ini::StartupSection, Ini::Line2Key, txtLine2->text());
    WriteIniValue(Ini::BacklightSection, Ini::AutoOffKey, cboAuto->currentText());
    m_savedInterval = cboAuto->currentText();
}

// The list "0" to "255" never changes, so it is built once per window object.
void frmConfig::fillIntervalList()
{
    if (cboAuto->count() == 0)
        fillNumbers(cboAuto, 0, 255);
}

// Selects the option of the current settings text and runs its click
// handling, also when the option was selected already.
void frmConfig::selectSpeedOption()
{
    if (strCommSettings == Settings9600) {
        opt9600->setChecked(true);
        opt9600_Click();
    } else {
        opt19200->setChecked(true);
        opt19200_Click();
    }
}

// Centred at each opening, once the frame around the window is known; a
// window brought to the front stays where the operator left it.
void frmConfig::showEvent(QShowEvent *event)
{
    ToolWindow::showEvent(event);
    if (m_centreWhenShown) {
        m_centreWhenShown = false;
        centreOnScreen();
    }
}

void frmConfig::centreOnScreen()
{
    const QScreen *display = screen();
    if (!display)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(display->availableGeometry().center());
    move(frame.topLeft());
}

void frmConfig::opt9600_Click()
{
    if (opt9600->isChecked())
        strCommSettings = Settings9600;
}

void frmConfig::opt19200_Click()
{
    if (opt19200->isChecked())
        strCommSettings = Settings19200;
}

// Five writes: auto-off interval, start of the start-up screen, its two lines,
// the board's speed. The values are taken at the click, so a refused write that
// closes the window leaves the rest of the click working on what it held.
void frmConfig::cmdSetLCD_Click()
{
    const auto interval = TextToByte(cboAuto->currentText());
    if (!interval) {
        MsgBox(this, BadIntervalText, QMessageBox::Warning);
        return;
    }
    const TwoTextCommand startup = StartupScreenCommand(txtLine1->text(), txtLine2->text());
    const QString speedSettings = strCommSettings;
    const QByteArray speedCommand = Cmd::deviceBaud(OptionSpeed(speedSettings));
    if (!BoardTakesCommand(MSComm1, this))
        return;

    merrowfunc::BuildAutoOff(*interval);
    SendCommand();
    strCommand = startup.command;
    SendCommand();
    strCommand = startup.first;
    SendCommand();
    strCommand = startup.second;
    SendCommand();
    if (speedCommand.isEmpty())
        return;
    strCommand = speedCommand;
    if (SendCommand() == SendResult::Sent)
        emit deviceSpeedSent(speedSettings);
}

SendResult frmConfig::SendCommand()
{
    return ::SendCommand(MSComm1, this, QMessageBox::Warning, AfterRefusal::CloseWindow);
}
