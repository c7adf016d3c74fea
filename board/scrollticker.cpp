#include "scrollticker.h"

namespace {

int loopLength(const std::string &text)
{
    return int(text.size()) + ScreenText::Columns;
}

} // namespace

void ScrollTicker::start(std::string_view text1, std::string_view text2, bool leftToRight)
{
    m_text[0] = std::string(text1.substr(0, MaxLength));
    m_text[1] = std::string(text2.substr(0, MaxLength));
    m_leftToRight = leftToRight;
    m_active = true;
    m_phase = 0;
    m_carryMs = 0;
    // Both rows are back at their start together after this many steps.
    m_period = loopLength(m_text[0]) * loopLength(m_text[1]);
}

void ScrollTicker::stop()
{
    m_active = false;
}

bool ScrollTicker::advance(int ms)
{
    if (!m_active || ms <= 0)
        return false;
    m_carryMs += ms % (StepMs * m_period);
    const int steps = m_carryMs / StepMs;
    m_carryMs %= StepMs;
    if (steps == 0)
        return false;
    m_phase = (m_phase + steps) % m_period;
    return true;
}

void ScrollTicker::render(ScreenText &display) const
{
    for (int row = 0; row < ScreenText::Rows; ++row)
        for (int column = 0; column < ScreenText::Columns; ++column)
            display.rows[size_t(row)][size_t(column)] = cellAt(row, column);
}

// The row is a window of 16 columns onto the loop "text, then 16 blanks".
quint8 ScrollTicker::cellAt(int row, int column) const
{
    const std::string &text = m_text[row];
    const int length = int(text.size());
    const int loop = loopLength(text);
    const int shift = m_phase % loop;
    const int offset =
        m_leftToRight ? length - shift + column : shift + column - ScreenText::Columns;
    const int index = ((offset % loop) + loop) % loop;
    return index < length ? quint8(text[size_t(index)]) : ScreenText::Blank;
}
