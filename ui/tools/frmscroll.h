#pragma once

#include "ui/toolwindow.h"

class MSComm;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Scrolling Text": two texts of up to 40 characters that the board scrolls
// across its two lines in the chosen direction, and a button that clears the
// display. Every opening starts with both texts empty and "Left to Right".
class frmScroll : public ToolWindow
{
    Q_OBJECT

public:
    explicit frmScroll(MSComm &port, QWidget *parent = nullptr);

protected:
    void Form_Load() override;

private:
    void buildControls();
    void initConnections();

    void cmdScroll_Click();
    void cmdclrScroll_Click();
    void SendCommand();

    MSComm &MSComm1;
    QLineEdit *Text1 = nullptr;
    QLineEdit *Text2 = nullptr;
    QRadioButton *optLtR = nullptr;
    QRadioButton *optRtoL = nullptr;
    QPushButton *cmdScroll = nullptr;
    QPushButton *cmdclrScroll = nullptr;
};
