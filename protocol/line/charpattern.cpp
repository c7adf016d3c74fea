#include "protocol/line/charpattern.h"

#include "protocol/line/lineargs.h"

#include <QStringList>

namespace {

constexpr int PixelsPerRow = 5;
constexpr quint8 LeftmostPixel = 0x10;

// "#.#.#" as its row value; no value unless five pixels of "#" and ".".
std::optional<quint8> DrawnRow(const QString &row)
{
    if (row.size() != PixelsPerRow)
        return std::nullopt;
    quint8 value = 0;
    for (int i = 0; i < PixelsPerRow; ++i) {
        if (row.at(i) == u'#')
            value |= quint8(LeftmostPixel >> i);
        else if (row.at(i) != u'.')
            return std::nullopt;
    }
    return value;
}

// "17" or "0x11" as a row value 0 to 31.
std::optional<quint8> NumberRow(const QString &row)
{
    bool ok = false;
    const bool hex = row.startsWith(u"0x", Qt::CaseInsensitive);
    const uint value = hex ? row.mid(2).toUInt(&ok, 16) : row.toUInt(&ok, 10);
    if (!ok || value > 31)
        return std::nullopt;
    return quint8(value);
}

} // namespace

std::optional<CharRows> CharPattern(const QString &name, const QString &text, QString *error)
{
    const QStringList rows = text.split(u',');
    CharRows pattern{};
    if (rows.size() == int(pattern.size())) {
        for (int i = 0; i < rows.size(); ++i) {
            const QString row = rows.at(i).trimmed();
            const auto value =
                row.contains(u'#') || row.contains(u'.') ? DrawnRow(row) : NumberRow(row);
            if (!value) {
                *error = QStringLiteral("%1: row %2 %3 is neither five pixels of # and . nor a "
                                        "number from 0 to 31")
                             .arg(name)
                             .arg(i + 1)
                             .arg(QuotedChars(row));
                return std::nullopt;
            }
            pattern[size_t(i)] = *value;
        }
        return pattern;
    }
    *error = QStringLiteral("%1 has %2 rows; a character has 8, separated by commas")
                 .arg(name)
                 .arg(rows.size());
    return std::nullopt;
}
