#pragma once

#include "protocol/commandtable.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// What a command of the line language comes to, as printed by vantorctl and
// answered by the port's owner.

// The whole reply to a read of that kind: the text of the panel's read-out
// without the blank that stands for the sign ("5", "5.0176V", "20mA").
QString ReadResultText(ReadKind kind, const QByteArray &reply);
// The same as one JSON object:
//   {"kind":"inputs","value":5}
//   {"count":512,"kind":"voltage","unit":"V","value":5.0176}
//   {"count":1000,"kind":"current","unit":"mA","value":20}
QJsonObject ReadResultJson(ReadKind kind, const QByteArray &reply);

// How a command ended, in the classes of vantorctl's exit status.
enum LineStatus
{
    StatusDone = 0,
    StatusNoAnswer = 1,      // the board did not answer, or did not take the bytes
    StatusBadArguments = 2,  // the message says which and why
    StatusPortNotOpened = 3, // the message names the device and why
};

// The answer to one line, as the port's owner gives it: "ok", the read's
// value, or "error: <message>"; with --json one JSON object: {"ok":true},
// the read's object, or {"error":"<message>","exit":2}.
struct LineAnswer
{
    LineStatus status = StatusDone;
    QString text; // the read's value or the error's message; empty for a plain "ok"
    QJsonObject json;

    static LineAnswer ok();
    static LineAnswer read(ReadKind kind, const QByteArray &reply);
    static LineAnswer error(LineStatus status, const QString &message);

    // The answer line (without its line end).
    QString line(bool json) const;
    // An answer line to a line with --json, read back (a refusal given
    // before any line was read comes as plain "error: ..."); an unreadable
    // one is an error of class 1.
    static LineAnswer fromJsonLine(const QString &line);
};

// The read-out text of a read's JSON object (the answer of a port's owner to
// a line with --json): what ReadResultText gives for the same reply.
QString ReadResultText(const QJsonObject &read);
