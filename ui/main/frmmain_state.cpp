// "Send Panel State": what the panel shows, sent again to a board that may
// have restarted after a reconnection and forgotten what it was told.

#include "ui/main/frmmain.h"

#include "link/modvariables.h"
#include "protocol/merrowfunc.h"
#include "protocol/textbytes.h"
#include "ui/main/linkstatusbar.h"
#include "ui/sendcommand.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>

using namespace Qt::StringLiterals;

// In this order, each one write of the control's own handler: the cursor
// style chosen, the backlight switched on or off, its brightness (while it is
// on), the automatic switch-off as "Disable Auto Off" and the stored interval
// say, the outputs. What the operator has not chosen (no cursor option,
// neither backlight option) is left out, and so is an interval that is no
// number; nothing is sent but on the operator's choice.
void frmMain::mnuSendState_Click()
{
    if (!::BoardTakesCommand(MSComm1, this))
        return;
    if (const int style = optCursor->checkedId(); style >= 1)
        optCursor_Click(style);
    if (optBLON->isChecked()) {
        optBLON_Click();
        BacklightLevel_Change();
    } else if (optBLOFF->isChecked()) {
        optBLOFF_Click();
    }
    const auto interval = TextToByte(strAutoOff);
    if (Check1->isChecked() || interval) {
        merrowfunc::BuildAutoOff(Check1->isChecked() ? 0 : *interval);
        SendCommand();
    }
    cmdOutput_Click();
}

// After the board came back, the status bar says it may have forgotten what
// it was told, and how to tell it again.
void frmMain::TellReconnection()
{
    const ConnectionState::Kind now = m_watch.state().kind;
    if (now == ConnectionState::Open && m_lastState == ConnectionState::Lost)
        m_statusBar->showNote(u"The board is back and may have restarted: \"Send Panel State\" "
                              "in the Communication menu sends it what the panel shows."_s);
    m_lastState = now;
    mnuSendState->setEnabled(now == ConnectionState::Open);
}
