// Any file contents, any section, key and value: reading and writing never
// crash, and a value that can be represented in the file reads back unchanged,
// whatever the file's encoding and line endings.
#include "link/inifile.h"
#include "link/inikeys.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdlib>

namespace {

// Splits the input into file contents, section, key and value at 0x00 bytes.
QList<QByteArray> fields(const uint8_t *data, size_t size)
{
    QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0');
    while (parts.size() < 4)
        parts << QByteArray();
    return parts;
}

// A name the file can hold: no brackets, equals, line breaks, comment start or outer blanks.
bool representableName(const QString &name)
{
    if (name.isEmpty() || name != name.trimmed() || name.startsWith(QLatin1Char(';')))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('[') || c == QLatin1Char(']') || c == QLatin1Char('=')
            || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    }
    return true;
}

// Outer blanks and quotes are kept by quoting; line breaks become blanks. A
// device path may be stored as its UTF-8 bytes, which must fit the limit too.
bool representableValue(const QString &section, const QString &value)
{
    const qsizetype length = Ini::HoldsDevicePaths(section) ? value.toUtf8().size() : value.size();
    return length <= IniFile::MaxValueLength && !value.contains(QLatin1Char('\n'))
           && !value.contains(QLatin1Char('\r'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = fields(data, size);
    const QByteArray &contents = parts.at(0);
    const QString section = QString::fromLatin1(parts.at(1));
    const QString key = QString::fromLatin1(parts.at(2));
    const QString value = QString::fromLatin1(parts.at(3));

    IniFile::valueIn(contents, section, key);
    const auto updated = IniFile::withValue(contents, section, key, value);
    if (!updated)
        return 0; // contents in a broken encoding are never rewritten
    if (representableName(section) && representableName(key)
        && representableValue(section, value)) {
        if (IniFile::valueIn(*updated, section, key) != value)
            std::abort();
    }
    return 0;
}
