#pragma once

#include "protocol/commandtable.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <initializer_list>
#include <optional>

// What one command of vantorctl does on the line, built before anything is
// sent: its writes in order, split as the panel splits them, then at most one
// read. Building never sends; the link sends what was built.
struct CtlCommand
{
    QList<QByteArray> writes;
    // The read whose reply to wait for after the writes (the request is the
    // last write); None for a command the board does not answer.
    ReadKind read = ReadKind::None;
    // The board moves to this speed (bit/s) at once; the line must follow it.
    std::optional<qint32> newBoardSpeed;
};

// A command of these writes; an empty one puts nothing on the wire and is left out.
CtlCommand Writes(std::initializer_list<QByteArray> writes);

// The command merrowfunc::BuildCommand builds for the selector code.
CtlCommand SelectedCommand(qint16 selector);
// The same for the word chosen from words, in any case: selectors[i] for words[i].
std::optional<CtlCommand> ChosenCommand(const QString &name, const QString &text,
                                        const QStringList &words, const QList<qint16> &selectors,
                                        QString *error);

// The command an encoder of merrowfunc builds from one argument, checked by
// the panel's number rule (0 to 255, halves to even).
std::optional<CtlCommand> EncodedByte(void (*encoder)(quint8), const QString &name,
                                      const QString &text, QString *error);
