#include "protocol/line/linecommand.h"

LineCommand Writes(std::initializer_list<QByteArray> writes)
{
    LineCommand command;
    for (const QByteArray &bytes : writes) {
        if (!bytes.isEmpty())
            command.writes << bytes;
    }
    return command;
}
