#include "boardmodel.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int MsPerSecond = 1000;
constexpr quint8 OutputBits = 0x07;
constexpr quint8 CustomCharDots = 0x1F;
constexpr int RightBarSlots = 4; // graph mode's RAM characters 4 to 7

} // namespace

BoardModel::BoardModel(const BoardSettings &stored) : m_stored(stored)
{
    powerCycle();
}

QByteArray BoardModel::feed(const QByteArray &bytes)
{
    return feed(bytes.constData(), bytes.size());
}

QByteArray BoardModel::feed(const char *data, qsizetype size)
{
    if (size > 0) {
        wake();
        m_parser.feed(data, size, *this);
        ++m_revision;
    }
    return std::exchange(m_reply, QByteArray());
}

void BoardModel::tick(int ms)
{
    if (ms <= 0)
        return;
    if (m_scroll.advance(ms)) {
        m_scroll.render(m_state.display);
        ++m_revision;
    }
    if (m_state.autoOff == 0 || !backlightLit())
        return;
    m_state.idleMs =
        int(std::min<qint64>(qint64(m_state.idleMs) + ms, m_state.autoOff * MsPerSecond));
    if (m_state.idleMs >= m_state.autoOff * MsPerSecond) {
        m_state.dozing = true;
        ++m_revision;
    }
}

bool BoardModel::needsTicks() const
{
    return m_scroll.active() || (m_state.autoOff > 0 && backlightLit());
}

void BoardModel::powerCycle()
{
    const BoardState previous = m_state;
    m_parser.reset();
    m_scroll.stop();
    m_state = BoardState();
    m_state.inputs = previous.inputs;
    m_state.voltageCount = previous.voltageCount;
    m_state.currentCount = previous.currentCount;
    m_state.display = m_stored.startup;
    m_state.cursor = m_stored.cursor;
    m_state.backlight = m_stored.backlight;
    m_state.brightness = m_stored.brightness;
    m_state.autoOff = m_stored.autoOff;
    m_state.baud = m_stored.baud;
    m_state.customChars = m_stored.customChars;
    ++m_revision;
}

Glyph BoardModel::glyph(quint8 code) const
{
    if (code >= 0x10)
        return LcdFont::glyph(code);
    const int slot = code % BoardSettings::CustomChars; // 0x08-0x0F mirror 0x00-0x07
    return m_state.graphMode ? LcdFont::barGlyph(slot) : m_state.customChars[size_t(slot)];
}

void BoardModel::setInputs(quint8 bits)
{
    m_state.inputs = bits;
}

void BoardModel::setVoltageCount(quint16 count)
{
    m_state.voltageCount = count;
}

void BoardModel::setCurrentCount(quint16 count)
{
    m_state.currentCount = count;
}

void BoardModel::setBaud(int baud)
{
    m_state.baud = baud;
    ++m_revision;
}

void BoardModel::execute(const BoardCommand &command)
{
    executeText(command) || executeCursor(command) || executeSetup(command) || executeReads(command)
        || executeDefinitions(command);
}

bool BoardModel::executeText(const BoardCommand &command)
{
    switch (command.id) {
    case CommandId::Text: print(command.code); return true;
    case CommandId::NewLine: setCursor(1, 0); return true;
    case CommandId::ClearDisplay: clear(); return true;
    case CommandId::Ctrl08: backspace(); return true;
    case CommandId::Ctrl0B: setCursor(0, 0); return true;
    case CommandId::Ctrl0E:
    case CommandId::Ctrl0F: return true; // no meaning on this board
    default: return false;
    }
}

bool BoardModel::executeCursor(const BoardCommand &command)
{
    const int parameter = command.param[0];
    switch (command.id) {
    case CommandId::CursorUnderline: m_state.cursor = CursorStyle::Underline; return true;
    case CommandId::CursorBlockBlink: m_state.cursor = CursorStyle::BlockBlink; return true;
    case CommandId::CursorHide: m_state.cursor = CursorStyle::Hidden; return true;
    case CommandId::SetCursorPosition: setCursor(parameter, command.param[1]); return true;
    case CommandId::DeleteRow:
        if (parameter < Rows)
            m_state.display.blankRow(parameter);
        return true;
    case CommandId::DeleteColumn:
        if (parameter < Columns)
            m_state.display.blankColumn(parameter);
        return true;
    default: return false;
    }
}

bool BoardModel::executeSetup(const BoardCommand &command)
{
    switch (command.id) {
    case CommandId::BacklightOn: m_state.backlight = true; return true;
    case CommandId::BacklightOff: m_state.backlight = false; return true;
    case CommandId::SetBrightness: m_state.brightness = command.param[0]; return true;
    case CommandId::SetAutoOff:
        m_state.autoOff = command.param[0];
        m_state.idleMs = 0;
        return true;
    case CommandId::SetOutputs: m_state.outputs = command.param[0] & OutputBits; return true;
    case CommandId::SetDeviceBaud9600: m_state.baud = 9600; return true;
    case CommandId::SetDeviceBaud19200: m_state.baud = 19200; return true;
    case CommandId::SaveSettings: saveSettings(); return true;
    case CommandId::Code23:
    case CommandId::Code25:
    case CommandId::Unknown: return true; // skipped
    default: return false;
    }
}

bool BoardModel::executeReads(const BoardCommand &command)
{
    switch (command.id) {
    case CommandId::ReadInputs: m_reply.append(char(m_state.inputs)); return true;
    case CommandId::ReadVoltage: replyCount(m_state.voltageCount); return true;
    case CommandId::ReadCurrent: replyCount(m_state.currentCount); return true;
    case CommandId::Code28: return true; // no reply: nobody waits for one
    default: return false;
    }
}

bool BoardModel::executeDefinitions(const BoardCommand &command)
{
    switch (command.id) {
    case CommandId::GraphModeOn: m_state.graphMode = true; return true;
    case CommandId::GraphModeOff: m_state.graphMode = false; return true;
    case CommandId::GraphLeftToRight: drawBar(command.param[0], true); return true;
    case CommandId::GraphRightToLeft: drawBar(command.param[0], false); return true;
    case CommandId::DefineCustomChar: defineCustomChars(command.line1); return true;
    case CommandId::DefineScreen: defineScreen(command); return true;
    case CommandId::ShowScreen: showScreen(command.param[0]); return true;
    case CommandId::ScrollText: startScroll(command); return true;
    default: return false;
    }
}

void BoardModel::print(quint8 code)
{
    m_state.display.rows[size_t(m_state.row)][size_t(m_state.column)] = code;
    if (++m_state.column == Columns) {
        m_state.column = 0;
        m_state.row = (m_state.row + 1) % Rows;
    }
}

void BoardModel::backspace()
{
    if (--m_state.column < 0) {
        m_state.column = Columns - 1;
        m_state.row = (m_state.row + Rows - 1) % Rows;
    }
}

void BoardModel::clear()
{
    m_scroll.stop();
    m_state.display = ScreenText();
    setCursor(0, 0);
}

// A position off the display is ignored; the cursor stays where it was.
void BoardModel::setCursor(int row, int column)
{
    if (row >= Rows || column >= Columns)
        return;
    m_state.row = row;
    m_state.column = column;
}

// A bar of `length` dot columns from the cursor cell towards the end of the
// row (left to right) or its start (right to left). The rest of the row that
// way is blanked, so a shorter bar replaces a longer one. The partial cell uses
// the bar characters graph mode loads; without graph mode there are none, and
// the bar is not drawn.
void BoardModel::drawBar(int length, bool leftToRight)
{
    if (!m_state.graphMode)
        return;
    auto &cells = m_state.display.rows[size_t(m_state.row)];
    const int step = leftToRight ? 1 : -1;
    int remaining = length;
    for (int column = m_state.column; column >= 0 && column < Columns; column += step) {
        const int lit = std::min(remaining, LcdFont::Columns);
        remaining -= lit;
        quint8 code = ScreenText::Blank;
        if (lit == LcdFont::Columns)
            code = LcdFont::FullBlock;
        else if (lit > 0)
            code = quint8((leftToRight ? 0 : RightBarSlots) + lit - 1);
        cells[size_t(column)] = code;
    }
}

void BoardModel::defineCustomChars(std::string_view data)
{
    for (size_t i = 0; i < data.size(); ++i)
        m_state.customChars[i / LcdFont::Rows][i % LcdFont::Rows] =
            quint8(data[i]) & CustomCharDots;
}

void BoardModel::defineScreen(const BoardCommand &command)
{
    const ScreenText screen = ScreenText::fromLines(command.line1, command.line2);
    const int index = command.screen();
    if (index == 0)
        m_stored.startup = screen;
    else
        m_stored.screens[size_t(index - 1)] = screen;
    ++m_storedRevision;
}

// Screen 0 is the start-up screen, 1 to 10 the user screens; others are ignored.
void BoardModel::showScreen(int screen)
{
    if (screen > BoardSettings::UserScreens)
        return;
    m_scroll.stop();
    m_state.display = screen == 0 ? m_stored.startup : m_stored.screens[size_t(screen - 1)];
    setCursor(0, 0);
}

void BoardModel::startScroll(const BoardCommand &command)
{
    m_scroll.start(command.line1, command.line2, command.code == BoardCode::ScrollLeftToRight);
    m_scroll.render(m_state.display);
}

void BoardModel::saveSettings()
{
    m_stored.brightness = m_state.brightness;
    m_stored.autoOff = m_state.autoOff;
    m_stored.backlight = m_state.backlight;
    m_stored.cursor = m_state.cursor;
    m_stored.baud = m_state.baud;
    m_stored.customChars = m_state.customChars;
    ++m_storedRevision;
}

void BoardModel::replyCount(quint16 count)
{
    m_reply.append('\0');
    m_reply.append(char(count >> 8));
    m_reply.append(char(count & 0xFF));
}

// Any received byte counts as activity and wakes a backlight that the
// auto-off had switched off.
void BoardModel::wake()
{
    m_state.idleMs = 0;
    m_state.dozing = false;
}
