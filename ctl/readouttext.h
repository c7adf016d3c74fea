#pragma once

#include "ctl/ctlcommand.h"

#include <QByteArray>
#include <QString>

// What vantorctl prints for the whole reply to a read of that kind: the text
// of the panel's read-out without the blank that stands for the sign ("5",
// "5.0176V", "20mA"), or one JSON object:
//   {"kind":"inputs","value":5}
//   {"kind":"voltage","count":512,"value":5.0176,"unit":"V"}
//   {"kind":"current","count":1000,"value":20,"unit":"mA"}
QString ReadResultText(ReadKind kind, const QByteArray &reply);
QString ReadResultJson(ReadKind kind, const QByteArray &reply);
