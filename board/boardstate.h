#pragma once

#include "boardsettings.h"

// The board's working state: what it shows and how it is set up right now.
struct BoardState
{
    ScreenText display;
    int row = 0; // cursor
    int column = 0;
    CursorStyle cursor = CursorStyle::Hidden;

    bool backlight = true; // switched on by command
    bool dozing = false;   // switched off by the auto-off timer until the next byte
    quint8 brightness = 200;
    quint8 autoOff = 0;
    int idleMs = 0;

    quint8 outputs = 0; // bit 0 Out1, bit 1 Out2, bit 2 Out3
    bool graphMode = false;
    std::array<Glyph, BoardSettings::CustomChars> customChars{};
    int baud = 9600;

    // What the simulated inputs read.
    quint8 inputs = 0;
    quint16 voltageCount = 0;
    quint16 currentCount = 0;
};
