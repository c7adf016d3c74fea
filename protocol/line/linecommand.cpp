#include "protocol/line/linecommand.h"

LineCommand LineCommand::of(std::initializer_list<QByteArray> writes)
{
    LineCommand command;
    for (const QByteArray &bytes : writes) {
        if (!bytes.isEmpty())
            command.writes << bytes;
    }
    return command;
}
