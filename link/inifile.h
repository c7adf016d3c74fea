#pragma once

#include <QByteArray>
#include <QString>

// Private-profile reading and writing of one INI file: sections and keys match
// without regard to case, values come back without surrounding blanks, a value
// is at most 254 characters, and a write creates the file, section and key as
// needed while keeping every other line as it was. The file is opened only
// inside each call.
namespace IniFile {

inline constexpr int MaxValueLength = 254;

// The value of the key, or the empty text when the file, section or key is missing.
QString read(const QString &path, const QString &section, const QString &key);

// Sets the key's value. The file is replaced atomically (a temporary file in the
// same folder, then a rename), so it is never left half-written. Returns false
// when the file could not be written; the old file is then untouched.
bool write(const QString &path, const QString &section, const QString &key, const QString &value);

// The same on file contents in memory, for the two routines above.
QString valueIn(const QByteArray &contents, const QString &section, const QString &key);
QByteArray withValue(const QByteArray &contents, const QString &section, const QString &key,
                     const QString &value);

} // namespace IniFile
