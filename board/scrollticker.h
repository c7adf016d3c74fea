#pragma once

#include "screentext.h"

#include <string>
#include <string_view>

// The two scrolling texts: text 1 runs through row 0 and text 2 through row 1,
// one column per step. Each enters at one edge, crosses the display, leaves at
// the other edge and comes round again after 16 blank columns.
class ScrollTicker
{
public:
    static constexpr int StepMs = 300;
    static constexpr int MaxLength = 40;

    // Texts longer than 40 characters are cut. Starts with both rows blank.
    void start(std::string_view text1, std::string_view text2, bool leftToRight);
    void stop();

    bool active() const { return m_active; }
    bool leftToRight() const { return m_leftToRight; }
    const std::string &text(int row) const { return m_text[row]; }

    // Lets ms pass; true when the texts moved on by one step or more.
    bool advance(int ms);
    // Writes both rows as they stand at the present step.
    void render(ScreenText &display) const;

private:
    quint8 cellAt(int row, int column) const;

    bool m_active = false;
    bool m_leftToRight = false;
    std::string m_text[ScreenText::Rows];
    int m_phase = 0;
    int m_period = 1;
    int m_carryMs = 0;
};
