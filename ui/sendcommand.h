#pragma once

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
// window's icon and, for a tool window, closes that window. strCommand is left
// as it is either way.
void SendCommand(MSComm &port, QWidget *window, QMessageBox::Icon icon, AfterRefusal after);
