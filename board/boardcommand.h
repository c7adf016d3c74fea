#pragma once

#include <QtGlobal>

#include <string_view>

// One unit of the byte stream as the board decodes it: a character to print,
// a control code, or a command introduced by 0xFE.
enum class CommandId : quint8
{
    Text, // one character code, printed at the cursor
    NewLine,
    ClearDisplay,
    Ctrl08,
    Ctrl0B,
    Ctrl0E,
    Ctrl0F,
    CursorUnderline,
    CursorBlockBlink,
    CursorHide,
    GraphModeOn,
    Code23,
    BacklightOn,
    BacklightOff,
    GraphModeOff,
    Code25,
    ReadInputs,
    ReadVoltage,
    Code28,
    ReadCurrent,
    SetDeviceBaud9600,
    SetDeviceBaud19200,
    SaveSettings,
    SetBrightness,
    SetAutoOff,
    ShowScreen,
    GraphLeftToRight,
    GraphRightToLeft,
    DeleteRow,
    DeleteColumn,
    SetOutputs,
    SetCursorPosition,
    DefineCustomChar,
    DefineScreen, // start-up screen (index 0) or user screen 1 to 10
    ScrollText,
    Unknown, // 0xFE followed by a byte that is no command; both are skipped
};

// Bytes of the board's command set.
namespace BoardCode {
inline constexpr quint8 Prefix = 0xFE;
inline constexpr quint8 EndOfLine = 0x0D;
inline constexpr quint8 EndOfText = 0xFF;
inline constexpr quint8 DefineStartupScreen = 0xC8; // user screen k is 0xC8 + k
inline constexpr quint8 ScrollLeftToRight = 0xD3;
inline constexpr quint8 ScrollRightToLeft = 0xD4;
inline constexpr int ScreenLineLength = 16;
inline constexpr int ScrollTextLength = 40;
inline constexpr int CustomCharBytes = 64;
} // namespace BoardCode

struct BoardCommand
{
    CommandId id = CommandId::Unknown;
    quint8 code = 0; // the character code, the control code or the byte after 0xFE
    quint8 param[2] = {};
    std::string_view line1; // definitions: line 1, text 1 or the 64 custom character bytes
    std::string_view line2; // definitions: line 2 or text 2
    bool cut = false;       // a definition that reached its maximum length without its end mark
    std::string_view raw;   // the bytes as received

    // Screen index of DefineScreen: 0 start-up screen, 1 to 10 user screens.
    int screen() const { return code - BoardCode::DefineStartupScreen; }
};
