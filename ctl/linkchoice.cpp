#include "ctl/linkchoice.h"

#include "ctl/ctloutput.h"
#include "ctl/directlink.h"
#include "ctl/ownerlink.h"
#include "ctl/portchoice.h"
#include "service/runtimefolder.h"

#include <QFileInfo>

namespace {

// How long the owner has to take the connection.
constexpr int ConnectMs = 1000;

// The owner serving the device, found from the device's own name; none when
// nobody serves it.
std::unique_ptr<CtlLink> Owner(const QString &device)
{
    const QString canonical = QFileInfo(device).canonicalFilePath();
    if (canonical.isEmpty())
        return nullptr;
    const QString socket = RuntimeFolder::socketPath(RuntimeFolder::path(), canonical);
    auto owner = std::make_unique<OwnerLink>();
    if (!QFileInfo::exists(socket) || !owner->connectTo(socket, ConnectMs))
        return nullptr;
    return owner;
}

} // namespace

std::unique_ptr<CtlLink> OpenLink(const CtlOptions &options, int *status)
{
    QString error;
    const auto port = ChoosePort(options, &error);
    if (!port) {
        PrintError(error);
        *status = StatusBadArguments;
        return nullptr;
    }
    *status = StatusDone;
    if (!options.direct) {
        if (auto owner = Owner(port->device))
            return owner;
    }
    auto direct = std::make_unique<DirectLink>();
    if (!direct->open(*port, &error)) {
        PrintError(error);
        *status = StatusPortNotOpened;
        return nullptr;
    }
    return direct;
}
