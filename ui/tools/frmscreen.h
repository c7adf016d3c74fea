#pragma once

#include "link/portactivity.h"
#include "ui/toolwindow.h"

#include <QList>
#include <array>
#include <optional>

class MSComm;
class QLineEdit;
class QPushButton;
class QTimer;

// "User's Defined Screens": ten two-line screens typed by the operator and
// written into the board's ten user-screen slots, one screen per 100 ms tick
// of Timer1 after "Set User's Screens". The texts live only in the window:
// each opening starts with all twenty boxes empty.
class frmScreen : public ToolWindow
{
    Q_OBJECT

public:
    explicit frmScreen(MSComm &port, QWidget *parent = nullptr);

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void createControls();
    void createScreenFrame(int screen);
    void initConnections();

    void cmdSetScreen_Click();
    void Timer1_Timer();
    void SendScreen(int screen);
    void SendCommand();

    MSComm &MSComm1;
    // Line 1 and line 2 boxes of screens 1 to 10 (txtLine11, txtLine12 ... txtLine102).
    QList<std::array<QLineEdit *, 2>> m_lines;
    QPushButton *cmdSetScreen = nullptr;
    QTimer *Timer1 = nullptr;
    // The screen the upload sent last: 0 when idle, 1 to 10 while uploading.
    qint16 m_step = 0;
    // True while a tick runs; a message box of that tick must not let another start.
    bool m_ticking = false;
    // Held from the start of an upload to its end: nothing of another
    // program's goes out between its screens.
    std::optional<PortActivity::Scope> m_upload;
};
