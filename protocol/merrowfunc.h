#pragma once

#include <QtGlobal>

// The encoders of the parameterised commands. Each replaces strCommand with
// one command and checks nothing; callers convert their texts beforehand.
namespace merrowfunc {

// Codes 11 to 25; any other code leaves strCommand unchanged.
void BuildCommand(qint16 code);
// Codes 26 to 29; any other code leaves strCommand unchanged.
void BuildReadRequest(qint16 code);

void BuildBrightness(quint8 n);
void BuildAutoOff(quint8 n);
void BuildShowScreen(quint8 n);
void BuildGraphLeftToRight(quint8 n);
void BuildGraphRightToLeft(quint8 n);
void BuildDeleteRow(quint8 n);
void BuildDeleteColumn(quint8 n);
void BuildOutputs(quint8 n);
void BuildCursorPosition(quint8 row, quint8 column);

} // namespace merrowfunc

// Selector codes of BuildCommand and BuildReadRequest, by command name.
namespace Selector {
enum : qint16
{
    Ctrl0B = 11,
    ClearDisplay = 12,
    NewLine = 13,
    Ctrl08 = 14,
    Ctrl0E = 15,
    Ctrl0F = 16,
    CursorUnderline = 17,
    CursorBlockBlink = 18,
    CursorHide = 19,
    BacklightOn = 20,
    BacklightOff = 21,
    GraphModeOn = 22,
    Code23 = 23,
    GraphModeOff = 24,
    Code25 = 25,
    ReadInputs = 26,
    ReadVoltage = 27,
    Code28 = 28,
    ReadCurrent = 29,
};
} // namespace Selector
