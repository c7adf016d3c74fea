#include "support/toolwindowharness.h"

#include "link/modvariables.h"

ToolWindowHarness::ToolWindowHarness()
{
    if (!board.isValid())
        qFatal("no pseudo-terminal");
    port.setDeviceResolver([this](int) { return board.slavePath(); });
    ResetVariables();
}

void ToolWindowHarness::click(const QString &name) const
{
    clickButton(tool.get(), name);
}

void ToolWindowHarness::type(const QString &name, const QString &text) const
{
    retype(find<QWidget>(name), text);
}

QStringList ToolWindowHarness::shownBoxes() const
{
    QStringList shown;
    for (const MsgBoxRequest &box : boxes.boxes()) {
        const char *kind = box.icon == QMessageBox::Warning       ? "warning"
                           : box.icon == QMessageBox::Information ? "information"
                                                                  : "plain";
        shown << QStringLiteral("%1: %2").arg(QLatin1String(kind), box.text);
    }
    return shown;
}
