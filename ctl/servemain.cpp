// vantorctl-serve: what `vantorctl serve` runs (see ExecServe), the port's
// owner without a window, with the bridge to an MQTT broker.
#include "ctl/serve.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // vantorctl's names: the panel's settings folder, and vantorctl's version.
    QCoreApplication::setApplicationName(QStringLiteral("VantorApp"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
    return RunServeCommandLine(QCoreApplication::arguments().mid(1));
}
