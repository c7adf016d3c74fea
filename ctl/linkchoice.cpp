#include "ctl/linkchoice.h"

#include "ctl/ctloutput.h"
#include "ctl/directlink.h"
#include "ctl/portchoice.h"

std::unique_ptr<CtlLink> OpenLink(const CtlOptions &options, int *status)
{
    QString error;
    const auto port = ChoosePort(options, &error);
    if (!port) {
        PrintError(error);
        *status = StatusBadArguments;
        return nullptr;
    }
    auto direct = std::make_unique<DirectLink>();
    if (!direct->open(*port, &error)) {
        PrintError(error);
        *status = StatusPortNotOpened;
        return nullptr;
    }
    *status = StatusDone;
    return direct;
}
