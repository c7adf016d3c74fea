#include "ui/sendcommand.h"

#include "link/sendcommand.h"
#include "ui/msgbox.h"

#include <QPointer>
#include <QWidget>

void SendCommand(MSComm &port, QWidget *window, QMessageBox::Icon icon, AfterRefusal after)
{
    if (WriteCommand(port) == SendOutcome::Sent)
        return;
    const QPointer<QWidget> guard(window);
    MsgBox(window, QStringLiteral("Port Not Open"), icon);
    if (after == AfterRefusal::CloseWindow && guard)
        guard->close();
}
