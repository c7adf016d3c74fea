#pragma once

#include "support/ptypair.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A board behind a symbolic link, as a USB adapter sits behind its
// /dev/serial/by-id name: the panel is given the link. Unplugging closes the
// board's pseudo-terminal and removes the link; plugging makes a new
// pseudo-terminal and points the link at it, as a board plugged back in gets
// a new device node.
class PtyLink
{
public:
    PtyLink(); // plugged in
    PtyLink(const PtyLink &) = delete;
    PtyLink &operator=(const PtyLink &) = delete;

    QString path() const { return m_dir.filePath(QStringLiteral("board")); }
    QString folder() const { return m_dir.path(); }
    // The board plugged in now (after unplug(), the one that went).
    PtyPair &board() { return *m_board; }

    void unplug();
    void plug();
    // Points the link at anything else: a file, a folder, nothing at all.
    void pointAt(const QString &target) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<PtyPair> m_board;
};
