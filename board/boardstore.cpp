#include "boardstore.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>

namespace {

const char *const CursorNames[] = {"underline", "blockblink", "hidden"};

QByteArray screenHex(const ScreenText &screen)
{
    QByteArray bytes;
    for (const auto &row : screen.rows)
        bytes.append(reinterpret_cast<const char *>(row.data()), qsizetype(row.size()));
    return bytes.toHex();
}

void readScreen(const QByteArray &hex, ScreenText &screen)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    if (bytes.size() != ScreenText::Rows * ScreenText::Columns)
        return;
    for (int i = 0; i < bytes.size(); ++i)
        screen.rows[size_t(i / ScreenText::Columns)][size_t(i % ScreenText::Columns)] =
            quint8(bytes[i]);
}

QByteArray customHex(const BoardSettings &settings)
{
    QByteArray bytes;
    for (const Glyph &glyph : settings.customChars)
        bytes.append(reinterpret_cast<const char *>(glyph.data()), qsizetype(glyph.size()));
    return bytes.toHex();
}

void readCustom(const QByteArray &hex, BoardSettings &settings)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    if (bytes.size() != BoardSettings::CustomChars * LcdFont::Rows)
        return;
    for (int i = 0; i < bytes.size(); ++i)
        settings.customChars[size_t(i / LcdFont::Rows)][size_t(i % LcdFont::Rows)] =
            quint8(bytes[i]) & 0x1F;
}

// A whole number within [low, high], or nothing.
std::optional<int> number(const QByteArray &text, int low, int high)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

QByteArray render(const BoardSettings &s)
{
    QByteArray text = "# VantorBoard non-volatile memory\n";
    text += "brightness=" + QByteArray::number(s.brightness) + '\n';
    text += "autooff=" + QByteArray::number(s.autoOff) + '\n';
    text += "backlight=" + QByteArray(s.backlight ? "1" : "0") + '\n';
    text += "cursor=" + QByteArray(CursorNames[int(s.cursor)]) + '\n';
    text += "baud=" + QByteArray::number(s.baud) + '\n';
    text += "startup=" + screenHex(s.startup) + '\n';
    for (int k = 0; k < BoardSettings::UserScreens; ++k)
        text += "screen" + QByteArray::number(k + 1) + '=' + screenHex(s.screens[size_t(k)]) + '\n';
    text += "custom=" + customHex(s) + '\n';
    return text;
}

QHash<QByteArray, QByteArray> entries(const QByteArray &text)
{
    QHash<QByteArray, QByteArray> result;
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && !line.startsWith('#'))
            result.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return result;
}

void readNumbers(const QHash<QByteArray, QByteArray> &e, BoardSettings &s)
{
    if (const auto v = number(e.value("brightness"), 0, 255))
        s.brightness = quint8(*v);
    if (const auto v = number(e.value("autooff"), 0, 255))
        s.autoOff = quint8(*v);
    if (const auto v = number(e.value("backlight"), 0, 1))
        s.backlight = *v == 1;
    if (const auto v = number(e.value("baud"), 0, 19200); v && (*v == 9600 || *v == 19200))
        s.baud = *v;
    for (int i = 0; i < 3; ++i)
        if (e.value("cursor") == CursorNames[i])
            s.cursor = CursorStyle(i);
}

} // namespace

std::optional<BoardSettings> BoardStore::load() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const auto e = entries(file.readAll());
    BoardSettings settings;
    readNumbers(e, settings);
    readScreen(e.value("startup"), settings.startup);
    for (int k = 0; k < BoardSettings::UserScreens; ++k)
        readScreen(e.value("screen" + QByteArray::number(k + 1)), settings.screens[size_t(k)]);
    readCustom(e.value("custom"), settings);
    return settings;
}

bool BoardStore::save(const BoardSettings &settings)
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    file.write(render(settings));
    if (!file.commit()) {
        m_error = file.errorString();
        return false;
    }
    m_error.clear();
    return true;
}
