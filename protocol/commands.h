#pragma once

#include <QByteArray>
#include <QtGlobal>

// The board's command set. A command proper is the prefix byte, one command
// byte and up to two parameter bytes; a few control codes go out alone.
namespace Cmd {

inline constexpr quint8 Prefix = 0xFE;

// Command bytes that follow the prefix.
enum Code : quint8
{
    CursorUnderline = 0x01,
    CursorBlockBlink = 0x02,
    CursorHide = 0x03,
    GraphModeOn = 0x04,
    Code23 = 0x05,
    BacklightOn = 0x06,
    BacklightOff = 0x07,
    GraphModeOff = 0x08,
    Code25 = 0x09,
    ReadInputs = 0x0A,
    ReadVoltage = 0x0B,
    Code28 = 0x0C,
    ReadCurrent = 0x0D,
    SetDeviceBaud9600 = 0x1E,
    SetDeviceBaud19200 = 0x1F,
    SaveSettings = 0x20,
    SetBrightness = 0x28,
    SetAutoOff = 0x29,
    ShowScreen = 0x2A,
    GraphLeftToRight = 0x2B,
    GraphRightToLeft = 0x2C,
    DeleteRow = 0x2D,
    DeleteColumn = 0x2E,
    SetOutputs = 0x2F,
    SetCursorPosition = 0x32,
    DefineCustomChar = 0x64,
    DefineStartupScreen = 0xC8, // user screen k is DefineStartupScreen + k
    ScrollLeftToRight = 0xD3,
    ScrollRightToLeft = 0xD4,
};

// Single bytes sent without the prefix.
enum Control : quint8
{
    Ctrl08 = 0x08,
    Ctrl0B = 0x0B,
    NewLine = 0x0C,
    ClearDisplay = 0x0D,
    Ctrl0E = 0x0E,
    Ctrl0F = 0x0F,
};

// Marks inside the two-line text definitions (start-up, user screens, scroll).
inline constexpr quint8 EndOfLine = 0x0D;
inline constexpr quint8 EndOfText = 0xFF;

inline constexpr int UserScreenCount = 10;
inline constexpr int CustomCharCount = 8;
inline constexpr int CustomCharRows = 8;

// FE code
QByteArray command(Code code);
// FE code n
QByteArray command(Code code, quint8 parameter);
// FE code n m
QByteArray command(Code code, quint8 first, quint8 second);
// The control code as a one-byte string.
QByteArray control(Control code);
// FE C8+k: the start of user screen k (k = 0 is the start-up screen).
QByteArray defineScreen(int screen);
// SetDeviceBaud9600 or SetDeviceBaud19200 for that speed in bit/s; nothing for another speed.
QByteArray deviceBaud(qint32 bitsPerSecond);

} // namespace Cmd
