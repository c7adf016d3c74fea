#include "ui/sendcommand.h"

#include "link/mscomm.h"
#include "protocol/commandbuffer.h"
#include "ui/msgbox.h"

#include <QPointer>
#include <QWidget>

namespace {

const QString NotTakingData =
    QStringLiteral("The board is not taking data: what was sent to it before is still "
                   "waiting to go out. Nothing of this command was sent.");

} // namespace

// While a warning is on screen the handler that sent is still running: the
// port is held, so a board that comes back meanwhile does not get the rest of
// the handler's writes (they find the port closed and are refused in turn).
SendResult SendCommand(MSComm &port, QWidget *window, QMessageBox::Icon icon, AfterRefusal after)
{
    const SendResult result = WriteCommand(port, strCommand);
    if (result == SendResult::Sent)
        return result;
    const PortActivity::Scope held(port.activity());
    if (result == SendResult::BoardNotTakingData) {
        MsgBox(window, NotTakingData, QMessageBox::Warning);
    } else {
        const QPointer<QWidget> guard(window);
        MsgBoxRequest box;
        box.parent = window;
        box.text = QStringLiteral("Port Not Open");
        box.icon = icon;
        box.informativeText = port.ClosedNote();
        MsgBox(box);
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
