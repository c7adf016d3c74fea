#include "link/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The written copy must be on the disk, whole, before it may take the old
// file's place: a full disk or a size limit may refuse bytes that a buffered
// write had already accepted.
std::optional<QString> writeDurably(QSaveFile &file, const QByteArray &bytes)
{
    // A write cut short says nothing of why; writing the rest again fails
    // with the system's reason ("No space left on device").
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 more = file.write(bytes.constData() + written, bytes.size() - written);
        if (more <= 0)
            return file.errorString();
        written += more;
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return qt_error_string(errno);
    struct stat written = {};
    if (::fstat(file.handle(), &written) != 0)
        return qt_error_string(errno);
    if (written.st_size != bytes.size())
        return QStringLiteral("The new copy holds %1 of %2 bytes")
            .arg(written.st_size)
            .arg(bytes.size());
#endif
    return std::nullopt;
}

// Makes the rename itself last through a power cut. The new file is already
// in place, so a failure here changes nothing for the caller.
void syncFolder([[maybe_unused]] const QString &folder)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#endif
}

} // namespace

namespace SafeFile {

Contents read(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {{}, qt_error_string(EISDIR)};
    if (!info.isFile())
        return {{}, QStringLiteral("Not a regular file")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, file.errorString()};
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() != file.size())
        return {{}, file.errorString()};
    return {bytes, {}};
}

std::optional<QString> replace(const QString &path, const QByteArray &bytes)
{
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile())
        return QStringLiteral("It is not a regular file");
    QSaveFile file(path);
    // Unbuffered, so that a refused write fails here and not in a flush at
    // commit time, whose failure would not stop the rename.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (const auto error = writeDurably(file, bytes)) {
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    syncFolder(QFileInfo(path).absolutePath());
    return std::nullopt;
}

std::optional<QString> whyNoNewFile(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".probe-XXXXXX")));
    if (!probe.open())
        return probe.errorString();
    if (probe.write("x", 1) != 1 || !probe.flush())
        return probe.errorString();
    return std::nullopt;
}

} // namespace SafeFile
