#pragma once

#include "link/sendcommand.h"

#include <QMessageBox>

class MSComm;
class QWidget;

// What a window does after the operator has dismissed "Port Not Open".
enum class AfterRefusal
{
    StayOpen,
    CloseWindow
};

// The send routine each window calls: writes the whole of strCommand to the
// port in one write when it is open; otherwise warns "Port Not Open" with the
// window's icon and, for a tool window, closes that window. When the board has
// stopped taking data, warns so (exclamation icon) and sends nothing; the
// window stays open, as nothing is wrong with it. strCommand is left as it is.
SendResult SendCommand(MSComm &port, QWidget *window, QMessageBox::Icon icon, AfterRefusal after);

// Called before the first write of a command of several writes: false, after
// the warning that the board is not taking data, when there is not room for
// all of it, so the handler sends none of it.
bool BoardTakesCommand(MSComm &port, QWidget *window);
