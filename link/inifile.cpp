#include "link/inifile.h"

#include "link/inikeys.h"
#include "link/initext.h"
#include "link/safefile.h"

#include <QFileInfo>
#include <QLockFile>
#include <utility>

namespace {

// The name of a "[name]" line; nothing for any other line.
std::optional<QString> sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const int close = trimmed.indexOf(QLatin1Char(']'));
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The key of a "key=value" line; nothing for comments and other lines.
std::optional<QString> keyOf(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith(QLatin1Char(';')))
        return std::nullopt;
    const int equals = trimmed.indexOf(QLatin1Char('='));
    if (equals < 0)
        return std::nullopt;
    return trimmed.left(equals).trimmed();
}

// A value in a pair of double or single quotes, which the reader takes off.
bool isQuoted(const QString &value)
{
    if (value.size() < 2)
        return false;
    const QChar first = value.front();
    return (first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first;
}

QString valueOf(const QString &line)
{
    const QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    return isQuoted(value) ? value.mid(1, value.size() - 2) : value;
}

// The value as it goes into the file: on one line, so it cannot break the file
// apart, and in double quotes when the reader would otherwise trim or unquote
// it, so it reads back exactly.
QString storedValue(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (value != value.trimmed() || isQuoted(value))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

// The range [begin, end) of the first section with this name; begin is the
// line after the header. begin is -1 when there is no such section.
std::pair<int, int> findSection(const QStringList &lines, const QString &section)
{
    int begin = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines.at(i));
        if (!name)
            continue;
        if (begin >= 0)
            return {begin, i};
        if (sameName(*name, section))
            begin = i + 1;
    }
    return {begin, int(lines.size())};
}

int findKey(const QStringList &lines, std::pair<int, int> range, const QString &key)
{
    for (int i = range.first; i < range.second; ++i) {
        const auto lineKey = keyOf(lines.at(i));
        if (lineKey && sameName(*lineKey, key))
            return i;
    }
    return -1;
}

// Where a new key of the section goes: after its last entry, before the blank
// lines that separate it from the next section.
int endOfEntries(const QStringList &lines, std::pair<int, int> range)
{
    int end = range.second;
    while (end > range.first && lines.at(end - 1).trimmed().isEmpty())
        --end;
    return end;
}

// A value of a file read one byte a character, as the text its bytes spell in
// UTF-8 when they are valid UTF-8; otherwise as it is.
QString FromUtf8Bytes(const QString &value)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString decoded = utf8.decode(value.toLatin1());
    return utf8.hasError() ? value : decoded;
}

// A value as the characters of a file read one byte a character: its UTF-8 bytes.
QString ToUtf8Bytes(const QString &value)
{
    return QString::fromLatin1(value.toUtf8());
}

bool PathsAsUtf8(const IniText &text, const QString &section)
{
    return text.bytePerCharacter() && Ini::HoldsDevicePaths(section);
}

// The file read, or why it could not be: what stands in for a missing file.
SafeFile::Contents currentContents(const QString &path, const QString &seedPath)
{
    const QString source = QFileInfo::exists(path) || seedPath.isEmpty() ? path : seedPath;
    if (!QFileInfo::exists(source))
        return {};
    return SafeFile::read(source);
}

QString lockError(const QLockFile &lock, const QString &path)
{
    if (lock.error() == QLockFile::LockFailedError)
        return QStringLiteral("Another program kept the file locked");
    const QString folder = QFileInfo(path).absolutePath();
    return SafeFile::whyNoNewFile(folder).value_or(
        QStringLiteral("Its lock file could not be made"));
}

} // namespace

namespace IniFile {

QString valueIn(const QByteArray &contents, const QString &section, const QString &key)
{
    const auto text = IniText::parse(contents);
    if (!text)
        return {};
    const QStringList &lines = text->lines();
    const auto range = findSection(lines, section);
    if (range.first < 0)
        return {};
    const int line = findKey(lines, range, key);
    if (line < 0)
        return {};
    const QString value = valueOf(lines.at(line)).left(MaxValueLength);
    return PathsAsUtf8(*text, section) ? FromUtf8Bytes(value) : value;
}

std::optional<QByteArray> withValue(const QByteArray &contents, const QString &section,
                                    const QString &key, const QString &value, QString *why)
{
    auto text = IniText::parse(contents, why);
    if (!text)
        return std::nullopt;
    const QStringList &lines = text->lines();
    const QString stored = PathsAsUtf8(*text, section) ? ToUtf8Bytes(value) : value;
    const QString entry = key + QLatin1Char('=') + storedValue(stored);
    const auto range = findSection(lines, section);
    if (range.first < 0) {
        text->insertLine(int(lines.size()), QLatin1Char('[') + section + QLatin1Char(']'));
        text->insertLine(int(lines.size()), entry);
    } else if (const int line = findKey(lines, range, key); line >= 0) {
        text->replaceLine(line, entry);
    } else {
        text->insertLine(endOfEntries(lines, range), entry);
    }
    return text->toBytes();
}

std::optional<QString> readProblem(const QString &path, const QString &seedPath)
{
    const SafeFile::Contents current = currentContents(path, seedPath);
    if (!current.error.isEmpty())
        return current.error;
    QString why;
    if (!IniText::parse(current.bytes, &why))
        return why;
    return std::nullopt;
}

QString read(const QString &path, const QString &section, const QString &key,
             const QString &seedPath)
{
    return valueIn(currentContents(path, seedPath).bytes, section, key);
}

WriteResult write(const QString &path, const QString &section, const QString &key,
                  const QString &value, const QString &seedPath)
{
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs))
        return {lockError(lock, path)};
    const SafeFile::Contents current = currentContents(path, seedPath);
    if (!current.error.isEmpty())
        return {current.error}; // never replace a file that could not be read
    QString why;
    const auto updated = withValue(current.bytes, section, key, value, &why);
    if (!updated)
        return {why};
    if (const auto error = SafeFile::replace(path, *updated))
        return {*error};
    return {};
}

} // namespace IniFile
