#pragma once

#include "protocol/commandtable.h"

#include <QByteArray>
#include <QList>
#include <QObject>

// The main window's read path, shared by its read buttons and one program
// that asks for reads (the plot's poller), so that one read at a time is on
// the wire and every reply reaches the read that asked for it.
//
// The program asks with request() while isBusy() is false; the window runs
// the read (readWanted) and reports what its read path does: each request
// that goes out (readSent), each reply shown in a read-out (replyShown), each
// reply deadline that passes (replyMissed). The program hears of its own
// reads only: answered() or unanswered(), the latter also when the request
// could not go out. An operator's read asked for while the program's read
// waits for its reply is held (holdOperatorRead) and handed back to the window
// (heldReadDue) once that read is over, so its request never goes out while
// bytes of the other reply may still come. idle() says nothing is pending or
// held any more: the program may ask again.
class ReadTurns : public QObject
{
    Q_OBJECT

public:
    explicit ReadTurns(QObject *parent = nullptr);

    // The program's side.
    bool isBusy() const;
    // Asks for a read; false, asking nothing, while busy.
    bool request(ReadKind kind);

    // The window's side. True when the operator's read is held for later.
    bool holdOperatorRead(ReadKind kind);
    void readSent(ReadKind kind);
    void replyShown(ReadKind kind, const QByteArray &reply);
    void replyMissed(ReadKind kind);

signals:
    // To the window: run this read for the program, without a message when
    // the port is closed.
    void readWanted(ReadKind kind);
    // To the window: run the operator's held read now.
    void heldReadDue(ReadKind kind);
    void answered(ReadKind kind, const QByteArray &reply);
    void unanswered(ReadKind kind);
    void idle();

private:
    void finish(ReadKind kind, const QByteArray *reply);
    void runHeld();

    ReadKind m_asking = ReadKind::None;  // the program's request, until it goes out
    ReadKind m_pending = ReadKind::None; // the read whose reply is awaited
    bool m_pendingIsProgram = false;
    QList<ReadKind> m_held; // the operator's reads, oldest first
};
