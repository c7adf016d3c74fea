// vantorctl: the display board's commands for scripts, on the panel's port.
#include "ctl/ctlrun.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The panel's name, so that an installed vantorctl finds the panel's
    // settings in the same user folder.
    QCoreApplication::setApplicationName(QStringLiteral("VantorApp"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
    return RunCtl(QCoreApplication::arguments().mid(1));
}
