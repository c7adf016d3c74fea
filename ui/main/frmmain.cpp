// The main window's start-up, closing and sending.

#include "ui/main/frmmain.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "link/modvariables.h"
#include "link/serialsettings.h"
#include "protocol/textbytes.h"
#include "ui/main/toolwindowentry.h"
#include "ui/msgbox.h"
#include "ui/sendcommand.h"
#include "ui/traffic/trafficmodel.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QSlider>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr int ReadWaitMs = 10;
// The stored auto-off interval leaves "Disable Auto Off" unchecked only when it
// is a decimal number other than 0; anything else ("nan" and "inf" too) checks it.
bool ChecksDisableAutoOff(const QString &autoOff)
{
    const auto seconds = DecimalNumber(autoOff);
    return !seconds || *seconds == 0.0;
}

// The stored level as a slider position, when it is a whole number on the slider.
std::optional<int> SliderLevel(const QString &text, int minimum, int maximum)
{
    const auto level = TextToByte(text);
    if (!level || *level < minimum || *level > maximum)
        return std::nullopt;
    return int(*level);
}

// The first settings write of the run that fails is told, with the file and
// the reason; later ones stay quiet. The settings stay in effect meanwhile.
IniWriteFailureHandler TellFirstFailedWrite(QWidget *parent)
{
    return [parent, told = false](const IniWriteFailure &failure) mutable {
        if (std::exchange(told, true))
            return;
        MsgBox(parent,
               u"The settings could not be saved to %1.\nReason: %2"_s.arg(failure.path,
                                                                           failure.reason),
               QMessageBox::Warning);
    };
}

QStringList Numbers(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << QString::number(n);
    return items;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent), MSComm1(this), Timer1(this), m_traffic(new TrafficModel(this))
{
    setObjectName(u"frmMain"_s);
    setWindowTitle(u"VantorAPP "_s);
    MSComm1.setObjectName(u"MSComm1"_s);
    MSComm1.setDeviceResolver([this](int port) { return m_devices.device(port); });
    Timer1.setObjectName(u"Timer1"_s);
    Timer1.setInterval(ReadWaitMs);
    createMenus();
    setCentralWidget(createClientArea());
    layout()->setSizeConstraint(QLayout::SetFixedSize); // the client area fixes the window's size
    initConnections();
    WireToolWindows();
    WireLink();
    SetIniWriteFailureHandler(TellFirstFailedWrite(this));
}

// The tool windows hold references to MSComm1, a member, which would go before
// the window's children. So they close first, with their own closing steps
// (the port still open, if it was), and go while the port still exists; their
// closing may write settings, so the failure handler goes last.
frmMain::~frmMain()
{
    CloseToolWindows();
    DeleteToolWindows();
    SetIniWriteFailureHandler({});
}

void frmMain::Form_Load()
{
    m_loading = true;
    ReadPortSettings();
    const int port = *MenuPortNumber(strCommPort);
    MSComm1.setCommPort(port);
    MSComm1.setSettings(strCommSettings);
    MSComm1.setRThreshold(1);
    MSComm1.setInputMode(1);
    CheckMenuItem(mnuPort, port);
    // From here on a failing step is skipped without a message. A device that
    // is not there yet is waited for.
    m_devices.choose(port);
    m_watch.open();
    TellUnreadableSettings();
    CheckMenuItem(mnuBaudRate, strCommSettings == Settings9600 ? 0 : 1);
    ReadBacklightSettings();
    BacklightLevel->setEnabled(false);
    FillPickers();
    ReadFollowSetting();
    m_loading = false;
}

// Port and speed as stored; a missing or unusable entry (first run) falls back
// to COM 1 at 9600 bit/s, which is then what closing saves.
void frmMain::ReadPortSettings()
{
    const StoredPort stored = ReadStoredPort();
    strCommPort = stored.port;
    strCommSettings = stored.settings;
}

// Checking the box and moving the slider run their handlers, which send.
void frmMain::ReadBacklightSettings()
{
    strBacklightLevel = ReadIniValue(Ini::BacklightSection, Ini::LevelKey);
    strAutoOff = ReadIniValue(Ini::BacklightSection, Ini::AutoOffKey);
    if (ChecksDisableAutoOff(strAutoOff))
        Check1->setChecked(true);
    const auto level =
        SliderLevel(strBacklightLevel, BacklightLevel->minimum(), BacklightLevel->maximum());
    if (level)
        BacklightLevel->setValue(*level);
}

void frmMain::FillPickers()
{
    cboRow->addItems(Numbers(0, 1));
    cboColumn->addItems(Numbers(0, 15));
    cboScreen->addItems(Numbers(1, 10));
    for (QComboBox *box : {cboRow, cboColumn, cboScreen})
        box->setCurrentIndex(0);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // The tool windows send through this window's port: they go first, with
    // their own closing steps, while the port is still open.
    CloseToolWindows();
    Form_Unload();
    m_watch.leave(); // closed, and no longer waited for
    event->accept();
}

void frmMain::Form_Unload()
{
    WriteIniValue(Ini::BacklightSection, Ini::LevelKey, QString::number(BacklightLevel->value()));
    WriteIniValue(Ini::SettingsSection, Ini::CommPortKey, strCommPort);
    WriteIniValue(Ini::SettingsSection, Ini::SettingKey, strCommSettings);
}

SendResult frmMain::SendCommand()
{
    return ::SendCommand(MSComm1, this, QMessageBox::Warning, AfterRefusal::StayOpen);
}

std::optional<quint8> frmMain::PickerByte(const QComboBox *box, const QString &field)
{
    const auto value = TextToByte(box->currentText());
    if (!value)
        TellNothingSent(u"%1 must be a number from 0 to 255. Nothing was sent."_s.arg(field));
    return value;
}

// Start-up sends what it can and says nothing; the operator who clicked is told.
void frmMain::TellNothingSent(const QString &message)
{
    if (!m_loading)
        MsgBox(this, message, QMessageBox::Warning);
}
