#pragma once

#include "protocol/commandbuffer.h"

#include <QString>

// The panel's globals, alive for the whole run.
extern QString strCommPort;       // port number "1" to "6"
extern QString strCommSettings;   // "9600,n,8,1" or "19200,n,8,1"
extern QString strBacklightLevel; // slider position read at start-up
extern QString strAutoOff;        // auto-off interval read at start-up; not updated while running
extern quint8 bytOutputs;         // output bits: 1 "Out1", 2 "Out2", 4 "Out3"
extern bool blnTimeUp;            // set by the read-wait timer's tick
extern qint16 intReadKind;        // last read asked for: 0 none, 1 inputs, 2 0-10 V, 3 0-20 mA

// Puts every global back to its start value (a new run; used by tests).
void ResetVariables();
