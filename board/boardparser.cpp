#include "boardparser.h"

namespace {

enum class Shape : quint8
{
    Skip,
    Plain,
    OneParameter,
    TwoParameters,
    CustomData,
    Screen,
    Scroll
};

struct Entry
{
    CommandId id;
    Shape shape;
};

// What follows the prefix byte.
Entry lookup(quint8 code)
{
    using C = CommandId;
    switch (code) {
    case 0x01: return {C::CursorUnderline, Shape::Plain};
    case 0x02: return {C::CursorBlockBlink, Shape::Plain};
    case 0x03: return {C::CursorHide, Shape::Plain};
    case 0x04: return {C::GraphModeOn, Shape::Plain};
    case 0x05: return {C::Code23, Shape::Plain};
    case 0x06: return {C::BacklightOn, Shape::Plain};
    case 0x07: return {C::BacklightOff, Shape::Plain};
    case 0x08: return {C::GraphModeOff, Shape::Plain};
    case 0x09: return {C::Code25, Shape::Plain};
    case 0x0A: return {C::ReadInputs, Shape::Plain};
    case 0x0B: return {C::ReadVoltage, Shape::Plain};
    case 0x0C: return {C::Code28, Shape::Plain};
    case 0x0D: return {C::ReadCurrent, Shape::Plain};
    case 0x1E: return {C::SetDeviceBaud9600, Shape::Plain};
    case 0x1F: return {C::SetDeviceBaud19200, Shape::Plain};
    case 0x20: return {C::SaveSettings, Shape::Plain};
    case 0x28: return {C::SetBrightness, Shape::OneParameter};
    case 0x29: return {C::SetAutoOff, Shape::OneParameter};
    case 0x2A: return {C::ShowScreen, Shape::OneParameter};
    case 0x2B: return {C::GraphLeftToRight, Shape::OneParameter};
    case 0x2C: return {C::GraphRightToLeft, Shape::OneParameter};
    case 0x2D: return {C::DeleteRow, Shape::OneParameter};
    case 0x2E: return {C::DeleteColumn, Shape::OneParameter};
    case 0x2F: return {C::SetOutputs, Shape::OneParameter};
    case 0x32: return {C::SetCursorPosition, Shape::TwoParameters};
    case 0x64: return {C::DefineCustomChar, Shape::CustomData};
    case BoardCode::ScrollLeftToRight:
    case BoardCode::ScrollRightToLeft: return {C::ScrollText, Shape::Scroll};
    default: break;
    }
    if (code >= BoardCode::DefineStartupScreen && code <= BoardCode::DefineStartupScreen + 10)
        return {C::DefineScreen, Shape::Screen};
    return {C::Unknown, Shape::Skip};
}

// Single bytes outside a command; everything else but the prefix is a character.
CommandId outsideCommand(quint8 byte)
{
    switch (byte) {
    case 0x08: return CommandId::Ctrl08;
    case 0x0B: return CommandId::Ctrl0B;
    case 0x0C: return CommandId::NewLine;
    case 0x0D: return CommandId::ClearDisplay;
    case 0x0E: return CommandId::Ctrl0E;
    case 0x0F: return CommandId::Ctrl0F;
    default: return CommandId::Text;
    }
}

} // namespace

void BoardParser::feed(const char *data, qsizetype size, BoardCommandSink &sink)
{
    for (qsizetype i = 0; i < size; ++i)
        step(quint8(data[i]), sink);
}

void BoardParser::reset()
{
    m_state = State::Ground;
    m_rawSize = 0;
    m_line1Size = 0;
    m_line2Size = 0;
}

void BoardParser::step(quint8 byte, BoardCommandSink &sink)
{
    switch (m_state) {
    case State::Ground: ground(byte, sink); break;
    case State::Prefix: commandByte(byte, sink); break;
    case State::Parameters: parameter(byte, sink); break;
    case State::CustomData: customData(byte, sink); break;
    case State::Line1: line1(byte, sink); break;
    case State::AfterFullLine1: afterFullLine1(byte, sink); break;
    case State::Line2: line2(byte, sink); break;
    case State::AfterFullLine2: afterFullLine2(byte, sink); break;
    }
}

void BoardParser::ground(quint8 byte, BoardCommandSink &sink)
{
    m_rawSize = 0;
    keep(byte);
    if (byte == BoardCode::Prefix) {
        m_state = State::Prefix;
        return;
    }
    m_command = BoardCommand{};
    m_command.id = outsideCommand(byte);
    m_command.code = byte;
    finish(sink);
}

void BoardParser::commandByte(quint8 byte, BoardCommandSink &sink)
{
    if (byte == BoardCode::Prefix) { // a repeated prefix starts the command afresh
        m_rawSize = 1;
        return;
    }
    keep(byte);
    const Entry entry = lookup(byte);
    m_command = BoardCommand{};
    m_command.id = entry.id;
    m_command.code = byte;
    m_paramsSeen = 0;
    switch (entry.shape) {
    case Shape::Skip:
    case Shape::Plain: finish(sink); break;
    case Shape::OneParameter:
        m_paramsWanted = 1;
        m_state = State::Parameters;
        break;
    case Shape::TwoParameters:
        m_paramsWanted = 2;
        m_state = State::Parameters;
        break;
    case Shape::CustomData: startDefinition(State::CustomData, BoardCode::CustomCharBytes); break;
    case Shape::Screen: startDefinition(State::Line1, BoardCode::ScreenLineLength); break;
    case Shape::Scroll: startDefinition(State::Line1, BoardCode::ScrollTextLength); break;
    }
}

void BoardParser::startDefinition(State first, int lineLimit)
{
    m_state = first;
    m_lineLimit = lineLimit;
}

void BoardParser::parameter(quint8 byte, BoardCommandSink &sink)
{
    keep(byte);
    m_command.param[m_paramsSeen++] = byte;
    if (m_paramsSeen == m_paramsWanted)
        finish(sink);
}

void BoardParser::customData(quint8 byte, BoardCommandSink &sink)
{
    keep(byte);
    m_line1[m_line1Size++] = char(byte);
    if (m_line1Size == m_lineLimit)
        finish(sink);
}

// Line 1 ends at 0x0D or when full; 0xFF here ends the whole definition early.
void BoardParser::line1(quint8 byte, BoardCommandSink &sink)
{
    keep(byte);
    if (byte == BoardCode::EndOfText) {
        finish(sink);
    } else if (byte == BoardCode::EndOfLine) {
        m_state = State::Line2;
    } else {
        m_line1[m_line1Size++] = char(byte);
        if (m_line1Size == m_lineLimit)
            m_state = State::AfterFullLine1;
    }
}

// A full line 1 may still be followed by its end-of-line mark; it is skipped.
void BoardParser::afterFullLine1(quint8 byte, BoardCommandSink &sink)
{
    m_state = State::Line2;
    if (byte == BoardCode::EndOfLine)
        keep(byte);
    else
        line2(byte, sink);
}

void BoardParser::line2(quint8 byte, BoardCommandSink &sink)
{
    keep(byte);
    if (byte == BoardCode::EndOfText) {
        finish(sink);
        return;
    }
    m_line2[m_line2Size++] = char(byte);
    if (m_line2Size == m_lineLimit)
        m_state = State::AfterFullLine2;
}

// A full line 2 wants its end mark next. Any other byte cuts the definition
// here and is taken as the start of whatever follows.
void BoardParser::afterFullLine2(quint8 byte, BoardCommandSink &sink)
{
    if (byte == BoardCode::EndOfText) {
        keep(byte);
        finish(sink);
        return;
    }
    finish(sink, true);
    step(byte, sink);
}

void BoardParser::finish(BoardCommandSink &sink, bool cut)
{
    m_state = State::Ground;
    m_command.cut = cut;
    m_command.line1 = std::string_view(m_line1.data(), size_t(m_line1Size));
    m_command.line2 = std::string_view(m_line2.data(), size_t(m_line2Size));
    m_command.raw = std::string_view(m_raw.data(), size_t(m_rawSize));
    m_line1Size = 0;
    m_line2Size = 0;
    sink.execute(m_command);
}
