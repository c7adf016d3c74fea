#pragma once

#include "ui/toolwindow.h"

#include <QString>
#include <optional>

class MSComm;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
enum class SendResult;

// "Configure Vantor": the board's backlight auto-off interval, start-up screen
// and serial speed, sent in one go with "Send Configuration". The start-up
// lines come from vantor.ini when the window opens; the lines and the interval
// go back to it when the window closes, however it closes.
class frmConfig : public ToolWindow
{
    Q_OBJECT

public:
    explicit frmConfig(MSComm &port, QWidget *parent = nullptr);
    ~frmConfig() override;

signals:
    // "Send Configuration" has handed the board its new speed, as the settings
    // text of the port that is to follow it ("9600,n,8,1" or "19200,n,8,1").
    void deviceSpeedSent(const QString &settings);

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createIntervalFrame();
    void createSpeedFrame();
    void createStartupFrame();
    void initConnections();
    void fillIntervalList();
    void selectSpeedOption();
    QString StoredStartupLine(const QString &readKey, const QString &savedKey);
    void centreOnScreen();

    void cmdSetLCD_Click();
    void opt9600_Click();
    void opt19200_Click();
    SendResult SendCommand();

    MSComm &MSComm1;
    QComboBox *cboAuto = nullptr;
    QRadioButton *opt9600 = nullptr;
    QRadioButton *opt19200 = nullptr;
    QLineEdit *txtLine1 = nullptr;
    QLineEdit *txtLine2 = nullptr;
    QPushButton *cmdSetLCD = nullptr;
    // The interval this window saved when it last closed; none before then.
    std::optional<QString> m_savedInterval;
    // Set by each loading: the showing that follows centres the window.
    bool m_centreWhenShown = false;
};
