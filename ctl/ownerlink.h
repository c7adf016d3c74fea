#pragma once

#include "ctl/ctllink.h"
#include "service/lineclient.h"

#include <QString>

// vantorctl through the program that owns the port (VantorApp, or vantorctl
// serve): each command goes as a line of the line language to the owner's
// socket, with the words as given, and comes back as one answer. The owner
// carries it out at the speed it has the port at, whole and in turn with its
// own work.
class OwnerLink : public CtlLink
{
public:
    // Extra time an answer may take beyond the command's own time-out: the
    // owner may finish work of its own first (an upload takes a second).
    static constexpr int OwnerWorkMs = 5000;

    // False at once when nobody serves the socket.
    bool connectTo(const QString &socketPath, int timeoutMs);
    bool isOpen() const override { return m_open; }
    LineAnswer carryOut(const LineOptions &options, const LineCommand &command) override;

private:
    LineClient m_client;
    bool m_open = false;
};
