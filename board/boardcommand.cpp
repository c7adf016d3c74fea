#include "boardcommand.h"

const char *CommandName(CommandId id)
{
    static const char *const names[] = {
        "text",
        "NewLine",
        "ClearDisplay",
        "Ctrl08",
        "Ctrl0B",
        "Ctrl0E",
        "Ctrl0F",
        "CursorUnderline",
        "CursorBlockBlink",
        "CursorHide",
        "GraphModeOn",
        "Code23",
        "BacklightOn",
        "BacklightOff",
        "GraphModeOff",
        "Code25",
        "ReadInputs",
        "ReadVoltage",
        "Code28",
        "ReadCurrent",
        "SetDeviceBaud9600",
        "SetDeviceBaud19200",
        "SaveSettings",
        "SetBrightness",
        "SetAutoOff",
        "ShowScreen",
        "GraphLeftToRight",
        "GraphRightToLeft",
        "DeleteRow",
        "DeleteColumn",
        "SetOutputs",
        "SetCursorPosition",
        "DefineCustomChar",
        "DefineScreen",
        "ScrollText",
        "unknown command",
    };
    static_assert(sizeof names / sizeof *names == int(CommandId::Unknown) + 1,
                  "one name per command");
    return names[int(id)];
}
