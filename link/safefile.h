#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Whole-file reads and replacements that either succeed completely or leave
// the file as it was, with the system's own words for what went wrong.
namespace SafeFile {

struct Contents
{
    QByteArray bytes;
    QString error; // empty when the whole file was read
};

// The whole of a regular file. A folder, pipe or device in its place is an
// error: a pipe would never end, a device might never answer.
Contents read(const QString &path);

// Replaces the file with `bytes` in one step: a temporary file beside it is
// written, flushed to the disk and checked, and only then renamed over it.
// Only a regular file (or a link to one) is ever replaced: a folder, a pipe or
// a device at the path is refused, since renaming over it would put a file in
// its place. The reason on failure, when the old file is untouched; nothing
// on success.
std::optional<QString> replace(const QString &path, const QByteArray &bytes);

// Why no new file can be made in the folder (full, read-only, missing), found
// by trying to make one; nothing when it can be made after all.
std::optional<QString> whyNoNewFile(const QString &folder);

} // namespace SafeFile
