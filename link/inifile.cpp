#include "link/inifile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <optional>
#include <utility>

namespace {

struct Lines
{
    QStringList lines;
    QString eol = QStringLiteral("\n");
};

Lines splitLines(const QByteArray &contents)
{
    Lines result;
    const QString text = QString::fromLatin1(contents);
    if (text.contains(QLatin1String("\r\n")))
        result.eol = QStringLiteral("\r\n");
    result.lines = text.split(QLatin1Char('\n'));
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast(); // the final line end, not an empty line
    for (QString &line : result.lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    return result;
}

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

QString valueOf(const QString &line)
{
    QString value = line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
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

// A value that would break the file apart goes in on one line.
QString oneLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

namespace IniFile {

QString valueIn(const QByteArray &contents, const QString &section, const QString &key)
{
    const Lines parsed = splitLines(contents);
    const auto range = findSection(parsed.lines, section);
    if (range.first < 0)
        return {};
    const int line = findKey(parsed.lines, range, key);
    if (line < 0)
        return {};
    return valueOf(parsed.lines.at(line)).left(MaxValueLength);
}

QByteArray withValue(const QByteArray &contents, const QString &section, const QString &key,
                     const QString &value)
{
    Lines parsed = splitLines(contents);
    QStringList &lines = parsed.lines;
    const QString entry = key + QLatin1Char('=') + oneLine(value);
    const auto range = findSection(lines, section);
    if (range.first < 0) {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    } else if (const int line = findKey(lines, range, key); line >= 0) {
        lines[line] = entry;
    } else {
        int insertAt = range.second;
        while (insertAt > range.first && lines.at(insertAt - 1).trimmed().isEmpty())
            --insertAt; // keep the blank lines that separate it from the next section
        lines.insert(insertAt, entry);
    }
    return (lines.join(parsed.eol) + parsed.eol).toLatin1();
}

QString read(const QString &path, const QString &section, const QString &key)
{
    if (!QFileInfo(path).isFile())
        return {}; // a pipe or device in its place would never end or never answer
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return valueIn(file.readAll(), section, key);
}

bool write(const QString &path, const QString &section, const QString &key, const QString &value)
{
    QByteArray contents;
    QFile existing(path);
    if (existing.exists()) {
        if (!QFileInfo(path).isFile() || !existing.open(QIODevice::ReadOnly))
            return false; // never replace a file we could not read
        contents = existing.readAll();
        existing.close();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray updated = withValue(contents, section, key, value);
    if (file.write(updated) != updated.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace IniFile
