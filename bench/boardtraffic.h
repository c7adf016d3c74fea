#pragma once

#include <QByteArray>
#include <QtGlobal>

// A byte stream such as the panel sends a board in use: text lines with
// cursor moves and clears, backlight and output changes, reads, bar graphs,
// screen and scroll definitions and now and then the custom characters.
QByteArray BoardTraffic(qsizetype size, quint32 seed = 1);
