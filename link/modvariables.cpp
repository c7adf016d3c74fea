#include "link/modvariables.h"

QString strCommPort;
QString strCommSettings;
QString strBacklightLevel;
QString strAutoOff;
quint8 bytOutputs = 0;
bool blnTimeUp = false;
qint16 intReadKind = 0;

void ResetVariables()
{
    strCommand.clear();
    strCommPort.clear();
    strCommSettings.clear();
    strBacklightLevel.clear();
    strAutoOff.clear();
    bytOutputs = 0;
    blnTimeUp = false;
    intReadKind = 0;
}
