#include "support/ptylink.h"

#include <QFile>

#include <unistd.h>

PtyLink::PtyLink()
{
    plug();
}

void PtyLink::unplug()
{
    QFile::remove(path());
    m_board->closeMaster();
}

// The new pseudo-terminal is made before the old one goes, so the system
// cannot hand the old device's number to it.
void PtyLink::plug()
{
    auto board = std::make_unique<PtyPair>();
    pointAt(board->slavePath());
    m_board = std::move(board);
}

// A link made beside it and renamed over it: the path never leads nowhere in between.
void PtyLink::pointAt(const QString &target) const
{
    const QByteArray temporary = QFile::encodeName(path() + QStringLiteral(".new"));
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(target).constData(), temporary.constData()) == 0)
        ::rename(temporary.constData(), QFile::encodeName(path()).constData());
}
