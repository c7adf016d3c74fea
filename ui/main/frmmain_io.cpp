// The general purpose I/O panel: outputs, the three reads and their read-outs.

#include "ui/main/frmmain.h"

#include "link/modvariables.h"
#include "link/sendcommand.h"
#include "protocol/merrowfunc.h"
#include "protocol/readouts.h"
#include "ui/main/linkstatusbar.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace {

qint16 ReadSelector(ReadKind kind)
{
    return kind == ReadKind::Inputs    ? Selector::ReadInputs
           : kind == ReadKind::Voltage ? Selector::ReadVoltage
                                       : Selector::ReadCurrent;
}

} // namespace

// The box's index is its bit in the mask; the board hears of it on "Set Outputs".
void frmMain::Out_Click(int index)
{
    bytOutputs ^= quint8(index);
}

void frmMain::cmdOutput_Click()
{
    merrowfunc::BuildOutputs(bytOutputs);
    SendCommand();
}

void frmMain::cmdReadInputs_Click()
{
    Read(ReadKind::Inputs);
}

void frmMain::cmdReadA1_Click()
{
    Read(ReadKind::Voltage);
}

void frmMain::cmdReadA2_Click()
{
    Read(ReadKind::Current);
}

// While a poll's read waits for its reply, the operator's read is held and
// runs as soon as that read is over (see ReadTurns): its request going out
// meanwhile would have both replies taken as one.
void frmMain::Read(ReadKind kind)
{
    if (!m_reads.holdOperatorRead(kind))
        ReadNow(kind);
}

// The receive event comes once the whole reply is waiting; MSComm1_OnComm
// shows it, during the wait or after it. Bytes waiting before the request
// goes out cannot be its reply (unasked bytes, the rest of an earlier short
// or late reply): they are dropped, so the read-out is built from the reply
// alone. A quiet read warns of nothing: a poll's read that cannot go out is a
// gap in its plot, not a message box at every poll.
//
// One read at a time on the wire: a read of another program that waits for
// its reply goes first (the wait is bounded by its time-out), and this read,
// while it waits, holds the port for itself.
void frmMain::ReadNow(ReadKind kind, bool quiet)
{
    while (MSComm1.ReceiveClaimed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    intReadKind = qint16(kind);
    MSComm1.setRThreshold(ReplyLength(kind));
    merrowfunc::BuildReadRequest(ReadSelector(kind));
    MSComm1.setInBufferCount(0);
    const SendResult result = quiet ? WriteCommand(MSComm1, strCommand) : SendCommand();
    if (result == SendResult::Sent) {
        m_replyDeadline.start(kind);
        m_reads.readSent(kind);
        if (!m_replyHold)
            m_replyHold.emplace(MSComm1.activity());
    }
    WaitForTimer();
}

// A poll's read, on an open port only: a closed one leaves intReadKind and
// the receive threshold as the last real read set them.
void frmMain::PollRead(ReadKind kind)
{
    if (MSComm1.PortOpen())
        ReadNow(kind, true);
}

// One tick of Timer1, with the window's events processed meanwhile.
void frmMain::WaitForTimer()
{
    blnTimeUp = false;
    Timer1.start();
    while (!blnTimeUp)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Timer1.stop();
}

// Part of a reply still waiting once its time is up will not be completed by
// the board: dropped, it cannot join the next bytes into a wrong value. Bytes
// that come later, unasked, still serve the pending kind. The read-out keeps
// its text; the status bar says which read went without its reply.
void frmMain::ReplyDeadline_Expired(ReadKind kind)
{
    m_replyHold.reset();
    MSComm1.setInBufferCount(0);
    m_reads.replyMissed(kind);
    const QPushButton *button = kind == ReadKind::Inputs    ? cmdReadInputs
                                : kind == ReadKind::Voltage ? cmdReadA1
                                                            : cmdReadA2;
    m_statusBar->showNote(QStringLiteral("No reply from the board to %1").arg(button->text()));
}

void frmMain::Timer1_Timer()
{
    blnTimeUp = true;
}

// Bytes that arrive with no read asked for stay waiting for the next read.
// While another program's read waits for its reply, the bytes are its own.
void frmMain::MSComm1_OnComm()
{
    if (MSComm1.ReceiveClaimed())
        return;
    for (const ReadKind kind : {ReadKind::Inputs, ReadKind::Voltage, ReadKind::Current}) {
        if (MSComm1.CommEvent() == MSComm::comEvReceive && intReadKind == qint16(kind)) {
            const QByteArray reply = MSComm1.Input();
            ShowReply(kind, reply);
            m_replyDeadline.complete();
            m_replyHold.reset();
            m_reads.replyShown(kind, reply);
            return;
        }
    }
}

// A reply too short for its kind leaves the read-out as it was.
void frmMain::ShowReply(ReadKind kind, const QByteArray &reply)
{
    const auto text = ReadoutText(kind, reply);
    QLabel *readout = kind == ReadKind::Inputs    ? inputs
                      : kind == ReadKind::Voltage ? analog1
                                                  : analog2;
    if (text)
        readout->setText(*text);
}
