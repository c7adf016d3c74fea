#include "ctl/ctlcommand.h"

#include "ctl/argvalues.h"
#include "protocol/commandbuffer.h"
#include "protocol/merrowfunc.h"

CtlCommand Writes(std::initializer_list<QByteArray> writes)
{
    CtlCommand command;
    for (const QByteArray &bytes : writes) {
        if (!bytes.isEmpty())
            command.writes << bytes;
    }
    return command;
}

CtlCommand SelectedCommand(qint16 selector)
{
    merrowfunc::BuildCommand(selector);
    return Writes({strCommand});
}

std::optional<CtlCommand> ChosenCommand(const QString &name, const QString &text,
                                        const QStringList &words, const QList<qint16> &selectors,
                                        QString *error)
{
    const auto chosen = ChoiceArgument(name, text, words, error);
    if (!chosen)
        return std::nullopt;
    return SelectedCommand(selectors.at(*chosen));
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
