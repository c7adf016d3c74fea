// The text, cursor and user screen panel, and "Save Settings in non-volatile memory".

#include "ui/main/frmmain.h"

#include "link/modvariables.h"
#include "protocol/commands.h"
#include "protocol/merrowfunc.h"
#include "protocol/textframes.h"
#include "ui/msgbox.h"
#include "ui/sendcommand.h"

#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

// Line 1, then NewLine when it is short, then line 2: two writes.
void frmMain::cmdSendAscii_Click()
{
    if (!::BoardTakesCommand(MSComm1, this))
        return;
    const TwoLineText text = DisplayLinesText(txtLine1->text(), txtLine2->text());
    strCommand = text.first;
    SendCommand();
    strCommand = text.second;
    SendCommand();
}

void frmMain::cmdClearLCD_Click()
{
    strCommand = Cmd::control(Cmd::ClearDisplay);
    SendCommand();
}

void frmMain::optCursor_Click(int index)
{
    static constexpr qint16 styles[] = {Selector::CursorUnderline, Selector::CursorBlockBlink,
                                        Selector::CursorHide};
    if (index < 1 || index > 3)
        return;
    merrowfunc::BuildCommand(styles[index - 1]);
    SendCommand();
}

void frmMain::cmdSetCursor_Click()
{
    const auto row = PickerByte(cboRow, u"Row"_s);
    if (!row)
        return;
    const auto column = PickerByte(cboColumn, u"Column"_s);
    if (!column)
        return;
    merrowfunc::BuildCursorPosition(*row, *column);
    SendCommand();
}

void frmMain::cmdClrRow_Click()
{
    const auto row = PickerByte(cboRow, u"Row"_s);
    if (!row)
        return;
    merrowfunc::BuildDeleteRow(*row);
    SendCommand();
}

void frmMain::cmdClrCol_Click()
{
    const auto column = PickerByte(cboColumn, u"Column"_s);
    if (!column)
        return;
    merrowfunc::BuildDeleteColumn(*column);
    SendCommand();
}

void frmMain::cmdShow_Click()
{
    const auto screen = PickerByte(cboScreen, u"Screen"_s);
    if (!screen)
        return;
    merrowfunc::BuildShowScreen(*screen);
    SendCommand();
}

void frmMain::cmdSave_Click()
{
    const auto answer = MsgBox(this, u"Overwrites previous settings"_s, QMessageBox::NoIcon,
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    strCommand = Cmd::command(Cmd::SaveSettings);
    SendCommand();
}
