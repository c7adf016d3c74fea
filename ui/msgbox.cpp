#include "ui/msgbox.h"

namespace {

MsgBoxHandler &handler()
{
    static MsgBoxHandler current;
    return current;
}

QMessageBox::StandardButton showDialog(const MsgBoxRequest &request)
{
    QMessageBox box(request.icon, AppTitle, request.text, request.buttons, request.parent);
    if (request.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(request.defaultButton);
    box.setInformativeText(request.informativeText);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

QMessageBox::StandardButton MsgBox(QWidget *parent, const QString &text, QMessageBox::Icon icon,
                                   QMessageBox::StandardButtons buttons,
                                   QMessageBox::StandardButton defaultButton)
{
    return MsgBox({parent, text, icon, buttons, defaultButton, {}});
}

QMessageBox::StandardButton MsgBox(const MsgBoxRequest &request)
{
    return handler() ? handler()(request) : showDialog(request);
}

void SetMsgBoxHandler(MsgBoxHandler newHandler)
{
    handler() = std::move(newHandler);
}
