#include "link/sendcommand.h"

#include "link/mscomm.h"
#include "link/msgbox.h"
#include "protocol/commandbuffer.h"

#include <QPointer>
#include <QWidget>

void SendCommand(MSComm &port, QWidget *window, QMessageBox::Icon icon, AfterRefusal after)
{
    if (port.PortOpen()) {
        port.setOutput(strCommand);
        return;
    }
    const QPointer<QWidget> guard(window);
    MsgBox(window, QStringLiteral("Port Not Open"), icon);
    if (after == AfterRefusal::CloseWindow && guard)
        guard->close();
}
