// The link as the operator sees it: the status bar, the device chooser, the
// port items' device tips, and following the board to a new speed.

#include "ui/main/frmmain.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "link/serialdevices.h"
#include "link/serialsettings.h"
#include "ui/main/devicechooser.h"
#include "ui/main/linkstatusbar.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

using namespace Qt::StringLiterals;

void frmMain::WireLink()
{
    m_statusBar = new LinkStatusBar(MSComm1, m_watch, this);
    setStatusBar(m_statusBar);
    connect(mnuChooseDevice, &QAction::triggered, this, &frmMain::mnuChooseDevice_Click);
    connect(mnuCom, &QMenu::aboutToShow, this, &frmMain::ShowPortDevices);
    connect(&m_speedFollow, &SpeedFollow::followed, this, &frmMain::SpeedFollow_Followed);
    connect(&m_service, &BoardService::clientCountChanged, m_statusBar,
            &LinkStatusBar::showClients);
    // A program through the panel told the board a speed: as for "Send Configuration".
    connect(&m_service.executor(), &BoardExecutor::boardSpeedTold, this, [this](qint32 speed) {
        DeviceSpeedSent(speed == 19200 ? Settings19200 : Settings9600);
    });
    connect(mnuFollowSpeed, &QAction::triggered, this, &frmMain::mnuFollowSpeed_Click);
    connect(mnuReleasePort, &QAction::triggered, this, &frmMain::mnuReleasePort_Click);
    connect(mnuOpenPort, &QAction::triggered, this, &frmMain::mnuOpenPort_Click);
    connect(&m_watch, &ConnectionWatch::changed, this, &frmMain::EnablePortItems);
    connect(&m_watch, &ConnectionWatch::changed, this, &frmMain::TellReconnection);
    connect(mnuSendState, &QAction::triggered, this, &frmMain::mnuSendState_Click);
    EnablePortItems();
    TellReconnection();
    // A read that starts clears what the status bar said of the one before.
    connect(&m_replyDeadline, &ReplyDeadline::started, m_statusBar,
            [this] { m_statusBar->showNote({}); });
}

// The dialog is made when it is first asked for: most runs never open it, and
// its list and buttons would cost start-up time and memory for nothing.
void frmMain::mnuChooseDevice_Click()
{
    if (!m_chooser) {
        m_chooser = new DeviceChooser(this);
        connect(m_chooser, &DeviceChooser::deviceChosen, this, &frmMain::DeviceChooser_Chosen);
    }
    m_chooser->present(MSComm1.CommPort(), MSComm1.DeviceName());
}

// The ticked port leads to the chosen device from now on: one key of the
// settings file changes, then the port opens on the device at the current
// speed. The status bar tells how that went; a device not there yet is waited for.
void frmMain::DeviceChooser_Chosen(const QString &path)
{
    const int port = MSComm1.CommPort();
    const QString device = StablePath(path);
    WriteIniValue(Ini::PortsSection, Ini::PortKey(port), device);
    m_speedFollow.cancel();
    m_watch.leave();
    m_devices.choose(port, device);
    m_watch.open();
}

// Each port item keeps its caption; its tips name its device and whether it is there.
void frmMain::ShowPortDevices()
{
    for (QAction *item : mnuPort->actions()) {
        const QString device = m_devices.device(item->data().toInt());
        const QString tip = DevicePresent(device) ? u"%1 (present)"_s : u"%1 (not present)"_s;
        item->setToolTip(tip.arg(device));
        item->setStatusTip(tip.arg(device));
    }
}

// A settings file that is there but cannot be read maps no port to a device
// (see DeviceForPort); the status bar says why the port leads nowhere.
void frmMain::TellUnreadableSettings()
{
    if (const auto problem = IniReadProblem())
        m_statusBar->showNote(
            u"%1 cannot be read, so no port leads to a device: %2"_s.arg(IniPath(), *problem));
}

// The operator lets go of the port, for another program to open it: it is
// closed and not waited for, and sends warn "Port Not Open" as for any
// closed port, saying how to take it back.
void frmMain::mnuReleasePort_Click()
{
    m_speedFollow.cancel();
    if (MSComm1.PortOpen())
        m_portEvents.releasing();
    m_watch.leave();
    MSComm1.setClosedNote(
        u"The port was released: \"Open Port\" in the Communication menu takes it back."_s);
}

// Takes the port back with the port and speed in force; a device not there
// is waited for, any other failure is told as for a port choice.
void frmMain::mnuOpenPort_Click()
{
    if (!MSComm1.PortOpen() && !m_watch.open() && m_watch.state().kind == ConnectionState::Closed)
        TellPortError();
}

void frmMain::EnablePortItems()
{
    const ConnectionState::Kind state = m_watch.state().kind;
    mnuReleasePort->setEnabled(state == ConnectionState::Open || state == ConnectionState::Lost
                               || state == ConnectionState::Waiting);
    mnuOpenPort->setEnabled(state != ConnectionState::Open);
}

void frmMain::ReadFollowSetting()
{
    const QString stored = ReadIniValue(Ini::SettingsSection, Ini::FollowBoardSpeedKey);
    mnuFollowSpeed->setChecked(stored.trimmed() == u"1");
}

void frmMain::mnuFollowSpeed_Click(bool checked)
{
    if (!checked)
        m_speedFollow.cancel();
    WriteIniValue(Ini::SettingsSection, Ini::FollowBoardSpeedKey, checked ? u"1"_s : u"0"_s);
}

// "Send Configuration" told the board another speed. When and how the board
// takes it is the board's business (some only after storing their settings or
// a restart), so by default the port keeps its speed, as the speed menu alone
// changes it, and the status bar says what the operator may do. With "Follow
// Board Speed" ticked the port follows once the command is out.
void frmMain::DeviceSpeedSent(const QString &settings)
{
    if (settings == MSComm1.Settings())
        return;
    if (mnuFollowSpeed->isChecked()) {
        m_speedFollow.follow(settings);
        return;
    }
    const auto told = SerialSettings::parse(settings);
    const auto port = SerialSettings::parse(MSComm1.Settings());
    if (!told || !port)
        return;
    m_statusBar->showNote(
        u"The board was told %1 bit/s; the port stays at %2 bit/s: choose %1 bps in Baud "
        "Rate to follow"_s.arg(told->baudRate)
            .arg(port->baudRate));
}

void frmMain::SpeedFollow_Followed(const QString &settings)
{
    CheckMenuItem(mnuBaudRate, settings == Settings9600 ? 0 : 1);
    const auto parsed = SerialSettings::parse(settings);
    m_statusBar->showNote(u"The port now runs at %1, as the board was told"_s.arg(
        parsed ? parsed->summary() : settings));
}
