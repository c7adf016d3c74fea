#pragma once

#include "protocol/commandtable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Reads what the board sends back, knowing the read asked for last, and says
// what each piece received is, with the text its read-out shows:
// "reply to ReadVoltage: count 512,  5.0176V". A reply may come in pieces.
class ReplyDecoder
{
public:
    // A read went out: the next bytes are its reply. A part of an earlier
    // reply is forgotten, as the panel drops it when it asks again.
    void expect(ReadKind kind);
    // What a piece received is: a reply or part of one, or bytes nobody asked for.
    QString describe(QByteArrayView received);

private:
    QString takeReply(QByteArrayView received, qsizetype *used);

    ReadKind m_kind = ReadKind::None;
    QByteArray m_reply;
};

// A whole reply as its read-out shows it ("5", "count 512,  5.0176V").
QString ReplyText(ReadKind kind, const QByteArray &reply);
