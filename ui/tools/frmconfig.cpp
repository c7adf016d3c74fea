#include "ui/tools/frmconfig.h"

#include "link/modini.h"
#include "link/modvariables.h"
#include "link/msgbox.h"
#include "link/sendcommand.h"
#include "link/serialsettings.h"
#include "protocol/commands.h"
#include "protocol/merrowfunc.h"
#include "protocol/textbytes.h"
#include "ui/displayline.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace {

const QString StartupSection = QStringLiteral("Startup");
const QString BacklightSection = QStringLiteral("Backlight");
const QString BadIntervalText =
    QStringLiteral("Interval (seconds) must be a whole number from 0 to 255.");
const QString LeftOutText =
    QStringLiteral("%1 in the settings file holds characters that cannot be sent to the "
                   "board (%2). They were left out of the start-up screen.");

// Line 1 of the start-up screen; a line shorter than the display ends with
// the end-of-line mark, a full one needs none.
QByteArray StartupLine1(const QString &text)
{
    QByteArray bytes = TextToWire(text);
    if (bytes.size() < DisplayLineLength)
        bytes.append(char(Cmd::EndOfLine));
    return bytes;
}

// Line 2 of the start-up screen, closing the definition.
QByteArray StartupLine2(const QString &text)
{
    return TextToWire(text) + char(Cmd::EndOfText);
}

// The board's speed command for the settings text; none for another text.
QByteArray DeviceBaudCommand(const QString &settings)
{
    if (settings == Settings9600)
        return Cmd::command(Cmd::SetDeviceBaud9600);
    if (settings == Settings19200)
        return Cmd::command(Cmd::SetDeviceBaud19200);
    return {};
}

// Puts a captioned control at its place, widened when its caption needs more
// room than the fixed geometry gives it in the font at hand.
void PlaceCaptioned(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(left, top, std::max(width, control->sizeHint().width()), height);
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
    createIntervalFrame()->setGeometry(24, 16, 217, 57);
    createSpeedFrame()->setGeometry(24, 88, 217, 49);
    createStartupFrame()->setGeometry(264, 16, 145, 81);
    cmdSetLCD = new QPushButton(QStringLiteral("Send Configuration"), this);
    cmdSetLCD->setObjectName(QStringLiteral("cmdSetLCD"));
    cmdSetLCD->setGeometry(264, 112, 145, 25);
}

QGroupBox *frmConfig::createIntervalFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("LCD Backlight Auto Off"), this);
    auto *label = new QLabel(QStringLiteral("Interval (seconds)"), frame);
    PlaceCaptioned(label, 24, 24, 97, 17);
    cboAuto = new QComboBox(frame);
    cboAuto->setObjectName(QStringLiteral("cboAuto"));
    cboAuto->setEditable(true);
    cboAuto->setInsertPolicy(QComboBox::NoInsert); // typed text never joins the list
    cboAuto->setGeometry(128, 24, 65, 21);
    label->setBuddy(cboAuto);
    return frame;
}

QGroupBox *frmConfig::createSpeedFrame()
{
    // One frame, one group: the two options exclude each other.
    auto *frame = new QGroupBox(QStringLiteral("Vantor Baud Rate"), this);
    opt9600 = new QRadioButton(QStringLiteral("9600 bps"), frame);
    opt9600->setObjectName(QStringLiteral("opt9600"));
    PlaceCaptioned(opt9600, 24, 24, 73, 13);
    opt19200 = new QRadioButton(QStringLiteral("19200 bps"), frame);
    opt19200->setObjectName(QStringLiteral("opt19200"));
    PlaceCaptioned(opt19200, 112, 24, 73, 17);
    return frame;
}

QGroupBox *frmConfig::createStartupFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("Define Start Up Screen"), this);
    txtLine1 = new QLineEdit(frame);
    txtLine1->setObjectName(QStringLiteral("txtLine1"));
    txtLine1->setGeometry(16, 24, 113, 19);
    SetUpDisplayText(txtLine1, DisplayLineLength);
    txtLine2 = new QLineEdit(frame);
    txtLine2->setObjectName(QStringLiteral("txtLine2"));
    txtLine2->setGeometry(16, 48, 113, 19);
    SetUpDisplayText(txtLine2, DisplayLineLength);
    return frame;
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
    txtLine1->setText(StoredStartupLine(QStringLiteral("LINE1"), QStringLiteral("Line1")));
    txtLine2->setText(StoredStartupLine(QStringLiteral("LINE2"), QStringLiteral("Line2")));
    m_centreWhenShown = true;
}

// A stored start-up line as its box takes it: without the characters that
// cannot be sent, then cut to the line. When characters were left out, a
// warning names the key (as the file has it after a closing) and the codes.
QString frmConfig::StoredStartupLine(const QString &readKey, const QString &savedKey)
{
    const QString stored = ReadIniValue(StartupSection, readKey);
    const QString leftOut = UnsendableCodes(stored);
    if (!leftOut.isEmpty())
        MsgBox(this, LeftOutText.arg(StartupSection + QLatin1Char('/') + savedKey, leftOut),
               QMessageBox::Warning);
    return SendableText(stored).left(DisplayLineLength);
}

void frmConfig::Form_Unload()
{
    WriteIniValue(StartupSection, QStringLiteral("Line1"), txtLine1->text());
    WriteIniValue(StartupSection, QStringLiteral("Line2"), txtLine2->text());
    WriteIniValue(BacklightSection, QStringLiteral("AutoOff"), cboAuto->currentText());
    m_savedInterval = cboAuto->currentText();
}

// The list "0" to "255" never changes, so it is built once per window object.
void frmConfig::fillIntervalList()
{
    if (cboAuto->count() > 0)
        return;
    QStringList items;
    for (int seconds = 0; seconds <= 255; ++seconds)
        items << QString::number(seconds);
    cboAuto->addItems(items);
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
    const QString line1 = txtLine1->text();
    const QString line2 = txtLine2->text();
    const QByteArray speedCommand = DeviceBaudCommand(strCommSettings);
    if (!BoardTakesCommand(MSComm1, this))
        return;

    merrowfunc::BuildAutoOff(*interval);
    SendCommand();
    strCommand = Cmd::defineScreen(0);
    SendCommand();
    strCommand = StartupLine1(line1);
    SendCommand();
    strCommand = StartupLine2(line2);
    SendCommand();
    if (speedCommand.isEmpty())
        return;
    strCommand = speedCommand;
    SendCommand();
}

void frmConfig::SendCommand()
{
    ::SendCommand(MSComm1, this, QMessageBox::Warning, AfterRefusal::CloseWindow);
}
