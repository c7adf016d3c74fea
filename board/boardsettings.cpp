#include "boardsettings.h"

BoardSettings::BoardSettings() : startup(ScreenText::fromLines("  VantorBoard", "  16x2 display"))
{
}

bool BoardSettings::operator==(const BoardSettings &other) const
{
    return brightness == other.brightness && autoOff == other.autoOff
           && backlight == other.backlight && cursor == other.cursor && baud == other.baud
           && startup == other.startup && screens == other.screens
           && customChars == other.customChars;
}
