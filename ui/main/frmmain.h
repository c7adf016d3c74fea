#pragma once

#include "link/connectionwatch.h"
#include "link/mscomm.h"
#include "link/portevents.h"
#include "link/portmap.h"
#include "link/readturns.h"
#include "link/replydeadline.h"
#include "link/sendcommand.h"
#include "link/speedfollow.h"
#include "service/boardservice.h"

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QTimer>
#include <optional>

class DeviceChooser;
class LinkStatusBar;
class QActionGroup;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class ToolWindowEntry;
class TrafficModel;

// The main window: owns the serial port MSComm1 and the read-wait timer
// Timer1, carries the menus that choose port and speed and open the tool
// windows, and holds the text, cursor, user screen, backlight and I/O panels.
//
// Every control's objectName is its name in the panel's design (txtLine1,
// cboRow, cmdSetCursor, ...). Control arrays carry their index in the name:
// the output boxes are "Out1", "Out2" and "Out4" (the index is the bit value;
// "Out4" is the box captioned "Out3"), the cursor options "optCursor1" to
// "optCursor3", the port items "mnuPort1" to "mnuPort6" and the speed items
// "mnuBaudRate0" (9600) and "mnuBaudRate1" (19200).
//
// The class is spread over several files: frmmain.cpp (start-up, closing,
// sending), frmmain_layout.cpp (the controls), frmmain_menus.cpp,
// frmmain_text.cpp, frmmain_backlight.cpp, frmmain_io.cpp and
// frmmain_link.cpp (the status bar, the device chooser, reconnecting and
// following the board's speed).
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up: reads the settings, opens the port and fills the panels. Runs
    // once, before the window is first shown.
    void Form_Load();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // frmmain_layout.cpp
    void createMenus();
    QWidget *createClientArea();
    void createTextFrame(QWidget *client);
    void createCursorFrame(QWidget *client);
    void createScreenFrame(QWidget *client);
    void createBacklightFrame(QWidget *client);
    void createIoFrame(QWidget *client);
    void createLooseControls(QWidget *client);
    void initConnections();

    // frmmain.cpp
    void Form_Unload();
    SendResult SendCommand();
    void ReadPortSettings();
    void ReadBacklightSettings();
    void FillPickers();
    std::optional<quint8> PickerByte(const QComboBox *box, const QString &field);
    void TellNothingSent(const QString &message);

    // frmmain_menus.cpp
    void mnuPort_Click(int index);
    void mnuBaudRate_Click(int index);
    void mnuTraffic_Click();
    void mnuConfig_Click();
    void mnuScreen_Click();
    void mnuCustom_Click();
    void mnuScroll_Click();
    void mnuGraph_Click();
    void mnuPlotInputs_Click();
    void CheckMenuItem(QActionGroup *group, int index);
    void WireToolWindows();
    void CloseToolWindows();
    void DeleteToolWindows();
    void TellPortError();

    // frmmain_link.cpp
    void WireLink();
    void mnuChooseDevice_Click();
    void DeviceChooser_Chosen(const QString &path);
    void ShowPortDevices();
    void TellUnreadableSettings();
    void mnuReleasePort_Click();
    void mnuOpenPort_Click();
    void EnablePortItems();

    // frmmain_state.cpp
    void mnuSendState_Click();
    void TellReconnection();
    void ReadFollowSetting();
    void mnuFollowSpeed_Click(bool checked);
    void DeviceSpeedSent(const QString &settings);
    void SpeedFollow_Followed(const QString &settings);

    // frmmain_text.cpp
    void cmdSendAscii_Click();
    void cmdClearLCD_Click();
    void optCursor_Click(int index);
    void cmdSetCursor_Click();
    void cmdClrRow_Click();
    void cmdClrCol_Click();
    void cmdShow_Click();
    void cmdSave_Click();

    // frmmain_backlight.cpp
    void optBLON_Click();
    void optBLOFF_Click();
    void BacklightLevel_Change();
    void Check1_Click();

    // frmmain_io.cpp
    void Out_Click(int index);
    void cmdOutput_Click();
    void cmdReadInputs_Click();
    void cmdReadA1_Click();
    void cmdReadA2_Click();
    void Read(ReadKind kind);
    void ReadNow(ReadKind kind, bool quiet = false);
    void PollRead(ReadKind kind);
    void WaitForTimer();
    void MSComm1_OnComm();
    void ShowReply(ReadKind kind, const QByteArray &reply);
    void ReplyDeadline_Expired(ReadKind kind);
    void Timer1_Timer();

    MSComm MSComm1;
    QTimer Timer1;
    ReplyDeadline m_replyDeadline;                  // 500 ms for the pending read's whole reply
    std::optional<PortActivity::Scope> m_replyHold; // while the reply is awaited
    bool m_loading = false;  // start-up runs: conversion failures stay silent
    TrafficModel *m_traffic; // every write and every piece received, from the start
    PortDevices m_devices;   // where the port numbers lead this run
    ConnectionWatch m_watch{MSComm1};
    SpeedFollow m_speedFollow{MSComm1};
    BoardService m_service{MSComm1}; // the port served to the user's other programs
    ConnectionState::Kind m_lastState = ConnectionState::Closed; // to tell a reconnection
    // The read buttons and the plot's poller take turns: one read on the wire at a time.
    ReadTurns m_reads;
    // The port's openings, closings and losses, for the traffic monitor.
    PortEvents m_portEvents{MSComm1};
    LinkStatusBar *m_statusBar = nullptr;
    DeviceChooser *m_chooser = nullptr; // made when first chosen from the menu

    // Menus
    QMenu *mnuCom = nullptr;
    QActionGroup *mnuPort = nullptr;     // items 1 to 6, data() = port number
    QActionGroup *mnuBaudRate = nullptr; // items 0 and 1, data() = index
    QAction *mnuChooseDevice = nullptr;
    QAction *mnuFollowSpeed = nullptr; // checkable; the port follows the board's new speed
    QAction *mnuReleasePort = nullptr;
    QAction *mnuOpenPort = nullptr;
    QAction *mnuSendState = nullptr; // enabled while the port is open
    ToolWindowEntry *mnuConfig = nullptr;
    ToolWindowEntry *mnuScreen = nullptr;
    ToolWindowEntry *mnuCustom = nullptr;
    ToolWindowEntry *mnuScroll = nullptr;
    ToolWindowEntry *mnuGraph = nullptr;
    ToolWindowEntry *mnuTraffic = nullptr;
    ToolWindowEntry *mnuPlotInputs = nullptr;
    QList<ToolWindowEntry *> m_toolEntries;

    // Text, cursor and user screen panel
    QLineEdit *txtLine1 = nullptr;
    QLineEdit *txtLine2 = nullptr;
    QPushButton *cmdSendAscii = nullptr;
    QPushButton *cmdClearLCD = nullptr;
    QButtonGroup *optCursor = nullptr; // ids 1 to 3
    QComboBox *cboRow = nullptr;
    QComboBox *cboColumn = nullptr;
    QPushButton *cmdSetCursor = nullptr;
    QPushButton *cmdClrRow = nullptr;
    QPushButton *cmdClrCol = nullptr;
    QComboBox *cboScreen = nullptr;
    QPushButton *cmdShow = nullptr;
    QPushButton *cmdSave = nullptr;

    // Backlight panel
    QRadioButton *optBLON = nullptr;
    QRadioButton *optBLOFF = nullptr;
    QSlider *BacklightLevel = nullptr;
    QCheckBox *Check1 = nullptr;

    // General purpose I/O panel
    // By index 1, 2 and 4, the bit values. Plain boxes, not a button group: Qt
    // would make a group of check boxes a single tab stop that arrows cannot walk.
    QMap<int, QCheckBox *> Out;
    QPushButton *cmdOutput = nullptr;
    QPushButton *cmdReadInputs = nullptr;
    QPushButton *cmdReadA1 = nullptr;
    QPushButton *cmdReadA2 = nullptr;
    QLabel *inputs = nullptr;
    QLabel *analog1 = nullptr;
    QLabel *analog2 = nullptr;
};
