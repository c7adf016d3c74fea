#pragma once

#include "boardcommand.h"
#include "boardcommandsink.h"

#include <array>

// The board's receiver: a state machine that turns the byte stream into
// commands. Commands may arrive split over any number of feed() calls. It never
// waits for more than a definition's maximum length, so garbage cannot make it
// swallow the stream for good: unknown command bytes are skipped and a
// definition that never ends is cut at its maximum length.
class BoardParser
{
public:
    void feed(const char *data, qsizetype size, BoardCommandSink &sink);
    // Forgets a half-received command (power cycle).
    void reset();

private:
    enum class State : quint8
    {
        Ground,
        Prefix,
        Parameters,
        CustomData,
        Line1,
        AfterFullLine1,
        Line2,
        AfterFullLine2,
    };

    void step(quint8 byte, BoardCommandSink &sink);
    void ground(quint8 byte, BoardCommandSink &sink);
    void commandByte(quint8 byte, BoardCommandSink &sink);
    void startDefinition(State first, int lineLimit);
    void parameter(quint8 byte, BoardCommandSink &sink);
    void customData(quint8 byte, BoardCommandSink &sink);
    void line1(quint8 byte, BoardCommandSink &sink);
    void afterFullLine1(quint8 byte, BoardCommandSink &sink);
    void line2(quint8 byte, BoardCommandSink &sink);
    void afterFullLine2(quint8 byte, BoardCommandSink &sink);
    void finish(BoardCommandSink &sink, bool cut = false);
    void keep(quint8 byte) { m_raw[m_rawSize++] = char(byte); }

    State m_state = State::Ground;
    BoardCommand m_command;
    int m_paramsWanted = 0;
    int m_paramsSeen = 0;
    int m_lineLimit = 0;
    // The longest command is a scroll: FE D3, 40 bytes, 0D, 40 bytes, FF.
    std::array<char, 2 + 2 * BoardCode::ScrollTextLength + 2> m_raw{};
    int m_rawSize = 0;
    std::array<char, BoardCode::CustomCharBytes> m_line1{};
    int m_line1Size = 0;
    std::array<char, BoardCode::ScrollTextLength> m_line2{};
    int m_line2Size = 0;
};
