#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Private-profile reading and writing of one INI file: sections and keys match
// without regard to case, values come back without surrounding blanks or
// quotes, a value is at most 254 characters, and a write creates the file,
// section and key as needed while keeping every other line as it was, with its
// line ending, the file's byte-order mark and its encoding. The file is opened
// only inside each call.
namespace IniFile {

inline constexpr int MaxValueLength = 254;
// How long a write waits for another program's write to the same file.
inline constexpr int LockWaitMs = 5000;
// A lock this old is taken to be left over from a program that died.
inline constexpr int StaleLockMs = 10000;

struct WriteResult
{
    QString error; // why the write failed; empty when it succeeded
    explicit operator bool() const { return error.isEmpty(); }
};

// The value of the key, or the empty text when the file, section or key is
// missing or the file cannot be read. While `path` does not exist, `seedPath`
// (when given) is read in its place.
QString read(const QString &path, const QString &section, const QString &key,
             const QString &seedPath = QString());

// Sets the key's value. Holds the lock file `path`.lock while it reads the
// file anew, updates it and replaces it in one step (SafeFile::replace), so
// two programs writing at once keep each other's keys. A missing `path` starts
// from the contents of `seedPath` when given. On failure the old file is
// untouched and the result says why: a file that cannot be read (a folder,
// a pipe, no permission, text in a broken encoding) is never replaced.
WriteResult write(const QString &path, const QString &section, const QString &key,
                  const QString &value, const QString &seedPath = QString());

// The same on file contents in memory, for the two routines above. withValue
// gives nothing for contents that cannot be read (see IniText::parse).
QString valueIn(const QByteArray &contents, const QString &section, const QString &key);
std::optional<QByteArray> withValue(const QByteArray &contents, const QString &section,
                                    const QString &key, const QString &value,
                                    QString *why = nullptr);

// Why the file (or, while it does not exist, `seedPath`) is there but cannot
// be read: it would read as empty and is never replaced. Nothing for a file
// that reads, or for none at all.
std::optional<QString> readProblem(const QString &path, const QString &seedPath = QString());

} // namespace IniFile
