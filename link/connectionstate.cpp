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
