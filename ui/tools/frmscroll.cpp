#include "ui/tools/frmscroll.h"

#include "link/mscomm.h"
#include "link/sendcommand.h"
#include "protocol/commandbuffer.h"
#include "protocol/commands.h"
#include "protocol/textbytes.h"
#include "ui/displayline.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Width of a scroll text: a text this long needs no end-of-line mark.
constexpr int ScrollTextWidth = 40;

// First write of the scroll command: prefix, direction, text 1 and, when
// text 1 is shorter than its full width, the end-of-line mark.
QByteArray ScrollHead(Cmd::Code direction, const QString &text1)
{
    const QByteArray text = TextToWire(text1);
    QByteArray bytes = Cmd::command(direction) + text;
    if (text.size() < ScrollTextWidth)
        bytes.append(char(Cmd::EndOfLine));
    return bytes;
}

// Second write: text 2, then the end-of-text mark.
QByteArray ScrollTail(const QString &text2)
{
    return TextToWire(text2) + char(Cmd::EndOfText);
}

QLineEdit *ScrollTextBox(QWidget *frame, const QString &name, int y)
{
    auto *box = new QLineEdit(frame);
    box->setObjectName(name);
    // One byte per character, and never the command prefix or end-of-text
    // byte, which would cut the scroll definition short on the board.
    SetUpDisplayText(box, ScrollTextWidth);
    box->setGeometry(12, y, 300, 24);
    return box;
}

template <typename Control>
Control *Placed(QWidget *frame, const QString &name, const QString &caption, QRect geometry)
{
    auto *control = new Control(caption, frame);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

} // namespace

frmScroll::frmScroll(MSComm &port, QWidget *parent) : ToolWindow(parent), MSComm1(port)
{
    setObjectName(QStringLiteral("frmScroll"));
    setWindowTitle(QStringLiteral("Scrolling Text"));
    buildControls();
    initConnections();
}

void frmScroll::buildControls()
{
    auto *frame = new QGroupBox(QStringLiteral("Send Scrolling Texts"), this);
    frame->setGeometry(8, 8, 564, 96);
    Text1 = ScrollTextBox(frame, QStringLiteral("Text1"), 26);
    Text2 = ScrollTextBox(frame, QStringLiteral("Text2"), 60);
    optLtR = Placed<QRadioButton>(frame, QStringLiteral("optLtR"), QStringLiteral("Left to Right"),
                                  QRect(326, 26, 116, 24));
    optRtoL = Placed<QRadioButton>(frame, QStringLiteral("optRtoL"),
                                   QStringLiteral("Right to Left"), QRect(326, 60, 116, 24));
    cmdScroll = Placed<QPushButton>(frame, QStringLiteral("cmdScroll"), QStringLiteral("Scroll"),
                                    QRect(456, 24, 96, 28));
    cmdclrScroll = Placed<QPushButton>(frame, QStringLiteral("cmdclrScroll"),
                                       QStringLiteral("CLEAR"), QRect(456, 58, 96, 28));
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
    const Cmd::Code direction =
        optLtR->isChecked() ? Cmd::ScrollLeftToRight : Cmd::ScrollRightToLeft;
    const QString text1 = Text1->text();
    const QString text2 = Text2->text();
    if (!BoardTakesCommand(MSComm1, this))
        return;

    strCommand = ScrollHead(direction, text1);
    SendCommand();
    strCommand = ScrollTail(text2);
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
