#include "link/connectionstate.h"

QString ConnectionState::text() const
{
    switch (kind) {
    case Open: return QStringLiteral("Open");
    case ClosedByOperator: return QStringLiteral("Closed by the operator");
    case Lost: return QStringLiteral("Lost: waiting for the device");
    case Waiting: return QStringLiteral("Waiting for the device");
    case Closed: break;
    }
    if (failure == OpenFailure::None)
        return QStringLiteral("Closed");
    return QStringLiteral("Closed: ") + OpenFailureReason(failure, systemText);
}

QString ConnectionState::closedNote(const QString &device) const
{
    switch (kind) {
    case Open:
    case ClosedByOperator: return {};
    case Lost: return QStringLiteral("%1 went away; waiting for it to come back.").arg(device);
    case Waiting: return QStringLiteral("Waiting for %1 to appear.").arg(device);
    case Closed: break;
    }
    return failure == OpenFailure::None ? QString() : OpenFailureText(device, failure, systemText);
}
