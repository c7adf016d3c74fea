#include "ui/tools/frmscroll.h"

#include "link/mscomm.h"
#include "protocol/commandbuffer.h"
#include "protocol/commands.h"
#include "protocol/textframes.h"
#include "ui/fixedform.h"
#include "ui/sendcommand.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

frmScroll::frmScroll(MSComm &port, QWidget *parent) : ToolWindow(parent), MSComm1(port)
{
    setObjectName(QStringLiteral("frmScroll"));
    setWindowTitle(QStringLiteral("Scrolling Text"));
    buildControls();
    initConnections();
}

// Each text takes one byte per character, and never the command prefix or
// end-of-text byte, which would cut the scroll definition short on the board.
void frmScroll::buildControls()
{
    auto *frame = makeFrame(this, QStringLiteral("fraScroll"),
                            QStringLiteral("Send Scrolling Texts"), {8, 8, 564, 96});
    Text1 = makeTextBox(frame, QStringLiteral("Text1"), QStringLiteral("Text 1"), {12, 26, 300, 24},
                        ScrollTextLength, TextPlace::Definition);
    Text2 = makeTextBox(frame, QStringLiteral("Text2"), QStringLiteral("Text 2"), {12, 60, 300, 24},
                        ScrollTextLength, TextPlace::Definition);
    optLtR = makeOption(frame, QStringLiteral("optLtR"), QStringLiteral("Left to Right"),
                        {326, 26, 116, 24});
    optRtoL = makeOption(frame, QStringLiteral("optRtoL"), QStringLiteral("Right to Left"),
                         {326, 60, 116, 24});
    cmdScroll =
        makeButton(frame, QStringLiteral("cmdScroll"), QStringLiteral("Scroll"), {456, 24, 96, 28});
    cmdclrScroll = makeButton(frame, QStringLiteral("cmdclrScroll"), QStringLiteral("CLEAR"),
                              {456, 58, 96, 28});
    optLtR->setChecked(true);
    setFixedSize(580, 112);
}

void frmScroll::initConnections()
{
    connect(cmdScroll, &QPushButton::clicked, this, &frmScroll::cmdScroll_Click);
    connect(cmdclrScroll, &QPushButton::clicked, this, &frmScroll::cmdclrScroll_Click);
}

void frmScroll::Form_Load()
{
    Text1->clear();
    Text2->clear();
    optLtR->setChecked(true);
    Text1->setFocus();
}

void frmScroll::cmdScroll_Click()
{
    // Everything is read before the first write: a refused write closes the
    // window, and the second write still goes with what the window held.
    const ScrollDirection direction =
        optLtR->isChecked() ? ScrollDirection::LeftToRight : ScrollDirection::RightToLeft;
    const TwoTextCommand scroll = ScrollCommand(direction, Text1->text(), Text2->text());
    if (!BoardTakesCommand(MSComm1, this))
        return;

    strCommand = scroll.command + scroll.first;
    SendCommand();
    strCommand = scroll.second;
    SendCommand();
}

void frmScroll::cmdclrScroll_Click()
{
    strCommand = Cmd::control(Cmd::ClearDisplay);
    SendCommand();
}

void frmScroll::SendCommand()
{
    ::SendCommand(MSComm1, this, QMessageBox::Warning, AfterRefusal::CloseWindow);
}
