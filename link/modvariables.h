#pragma once

#include "protocol/commandbuffer.h"

#include <QString>

// The panel's globals, alive for the whole run, each with who writes it.

// Port number "1" to "6". Written by the main window's start-up and port menu.
extern QString strCommPort;
// "9600,n,8,1" or "19200,n,8,1". Written by the main window's start-up and
// speed menu, and by the configuration window's speed options.
extern QString strCommSettings;
// Slider position read at start-up. Written by the main window's start-up only.
extern QString strBacklightLevel;
// Auto-off interval read at start-up. Written by the main window's start-up
// only; not updated while running.
extern QString strAutoOff;
// Output bits: 1 "Out1", 2 "Out2", 4 "Out3". Written by the main window's output boxes.
extern quint8 bytOutputs;
// Cleared by the main window's read wait, set by the tick of its Timer1.
extern bool blnTimeUp;
// Last read asked for: 0 none, 1 inputs, 2 0-10 V, 3 0-20 mA. Written by the
// main window's read buttons.
extern qint16 intReadKind;

// Puts every global back to its start value (a new run; used by tests).
void ResetVariables();
