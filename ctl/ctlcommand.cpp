#include "ctl/ctlcommand.h"

#include "ctl/argvalues.h"
#include "protocol/commandbuffer.h"

int ReplyLength(ReadKind kind)
{
    return kind == ReadKind::Inputs ? 1 : 3;
}

CtlCommand Writes(std::initializer_list<QByteArray> writes)
{
    CtlCommand command;
    for (const QByteArray &bytes : writes) {
        if (!bytes.isEmpty())
            command.writes << bytes;
    }
    return command;
}

std::optional<CtlCommand> EncodedByte(void (*encoder)(quint8), const QString &name,
                                      const QString &text, QString *error)
{
    const auto value = ByteArgument(name, text, error);
    if (!value)
        return std::nullopt;
    encoder(*value);
    return Writes({strCommand});
}
