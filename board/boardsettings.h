#pragma once

#include "lcdfont.h"
#include "screentext.h"

#include <array>

enum class CursorStyle : quint8
{
    Underline,
    BlockBlink,
    Hidden
};

// The board's non-volatile memory. The screen definitions are written into it
// as they arrive; the rest is the working state copied by SaveSettings.
struct BoardSettings
{
    static constexpr int UserScreens = 10;
    static constexpr int CustomChars = 8;

    BoardSettings();

    quint8 brightness = 200;
    quint8 autoOff = 0; // seconds; 0 never
    bool backlight = true;
    CursorStyle cursor = CursorStyle::Hidden;
    int baud = 9600;
    ScreenText startup;
    std::array<ScreenText, UserScreens> screens;
    std::array<Glyph, CustomChars> customChars{};

    bool operator==(const BoardSettings &other) const;
    bool operator!=(const BoardSettings &other) const { return !(*this == other); }
};
