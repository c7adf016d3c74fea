#include "ui/sendcommand.h"

#include "protocol/commandbuffer.h"
#include "ui/msgbox.h"

#include <QPointer>
#include <QWidget>

namespace {

const QString NotTakingData =
    QStringLiteral("The board is not taking data: what was sent to it before is still "
                   "waiting to go out. Nothing of this command was sent.");

} // namespace

SendResult SendCommand(MSComm &port, QWidget *window, QMessageBox::Icon icon, AfterRefusal after)
{
    const SendResult result = WriteCommand(port, strCommand);
    if (result == SendResult::BoardNotTakingData) {
        MsgBox(window, NotTakingData, QMessageBox::Warning);
    } else if (result == SendResult::PortNotOpen) {
        const QPointer<QWidget> guard(window);
        MsgBox(window, QStringLiteral("Port Not Open"), icon);
        if (after == AfterRefusal::CloseWindow && guard)
            guard->close();
    }
    return result;
}

bool BoardTakesCommand(MSComm &port, QWidget *window)
{
    if (RoomForCommand(port))
        return true;
    MsgBox(window, NotTakingData, QMessageBox::Warning);
    return false;
}
