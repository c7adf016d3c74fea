#include "ctl/boardcommands.h"

#include "ctl/argvalues.h"
#include "link/mscomm.h"
#include "protocol/commandbuffer.h"
#include "protocol/commands.h"
#include "protocol/merrowfunc.h"
#include "protocol/textbytes.h"

namespace {

// The output bits of names such as "Out1,Out3": bit 0 Out1, bit 1 Out2, bit 2 Out3.
std::optional<quint8> NamedOutputs(const QString &text)
{
    quint8 mask = 0;
    for (const QString &name : text.split(u',')) {
        const QString output = name.trimmed().toLower();
        if (output.size() != 4 || !output.startsWith(u"out") || output[3] < u'1'
            || output[3] > u'3')
            return std::nullopt;
        mask |= quint8(1 << (output[3].unicode() - u'1'));
    }
    return mask;
}

} // namespace

namespace BoardCommands {

std::optional<CtlCommand> Save(const QStringList &, QString *)
{
    return Writes({Cmd::command(Cmd::SaveSettings)});
}

std::optional<CtlCommand> Backlight(const QStringList &args, QString *error)
{
    const QString word = args.at(0).trimmed().toLower();
    if (word == u"on" || word == u"off")
        return SelectedCommand(word == u"on" ? Selector::BacklightOn : Selector::BacklightOff);
    if (!TextToByte(args.at(0))) {
        *error =
            QStringLiteral("\"%1\" is neither on, off nor a LEVEL from 0 to 255").arg(args.at(0));
        return std::nullopt;
    }
    return EncodedByte(merrowfunc::BuildBrightness, "LEVEL", args.at(0), error);
}

std::optional<CtlCommand> AutoOff(const QStringList &args, QString *error)
{
    return EncodedByte(merrowfunc::BuildAutoOff, "SECONDS", args.at(0), error);
}

// A mask 0 to 7, or the names of the outputs that are to be on.
std::optional<CtlCommand> Outputs(const QStringList &args, QString *error)
{
    const QString &text = args.at(0);
    auto mask = NamedOutputs(text);
    if (!mask && !text.contains(u','))
        mask = ByteInRange("MASK", text, 0, 7, error);
    if (!mask) {
        *error = QStringLiteral("\"%1\" is neither a MASK from 0 to 7 nor outputs such as "
                                "Out1,Out3")
                     .arg(text);
        return std::nullopt;
    }
    merrowfunc::BuildOutputs(*mask);
    return Writes({strCommand});
}

std::optional<CtlCommand> Read(const QStringList &args, QString *error)
{
    static constexpr struct
    {
        qint16 selector;
        ReadKind kind;
    } Reads[] = {{Selector::ReadInputs, ReadKind::Inputs},
                 {Selector::ReadVoltage, ReadKind::Voltage},
                 {Selector::ReadCurrent, ReadKind::Current}};
    const auto chosen =
        ChoiceArgument("INPUT", args.at(0), {"inputs", "voltage", "current"}, error);
    if (!chosen)
        return std::nullopt;
    merrowfunc::BuildReadRequest(Reads[*chosen].selector);
    CtlCommand command = Writes({strCommand});
    command.read = Reads[*chosen].kind;
    return command;
}

std::optional<CtlCommand> Graph(const QStringList &args, QString *error)
{
    return ChosenCommand("MODE", args.at(0), {"on", "off"},
                         {Selector::GraphModeOn, Selector::GraphModeOff}, error);
}

// As "Draw" sends it: the cursor to the bar's start, then the bar; left to
// right unless the direction says otherwise.
std::optional<CtlCommand> Bar(const QStringList &args, QString *error)
{
    const auto row = ByteArgument("ROW", args.at(0), error);
    const auto column = row ? ByteArgument("COL", args.at(1), error) : std::nullopt;
    const auto length = column ? ByteArgument("LENGTH", args.at(2), error) : std::nullopt;
    const auto leftToRight = length ? LeftToRight(args.value(3, "left"), error) : std::nullopt;
    if (!leftToRight)
        return std::nullopt;
    merrowfunc::BuildCursorPosition(*row, *column);
    const QByteArray start = strCommand;
    if (*leftToRight)
        merrowfunc::BuildGraphLeftToRight(*length);
    else
        merrowfunc::BuildGraphRightToLeft(*length);
    return Writes({start, strCommand});
}

std::optional<CtlCommand> DeviceSpeed(const QStringList &args, QString *error)
{
    const auto speed = ChoiceArgument("SPEED", args.at(0), {"9600", "19200"}, error);
    if (!speed)
        return std::nullopt;
    const qint32 bitsPerSecond = *speed == 0 ? 9600 : 19200;
    CtlCommand command = Writes({Cmd::deviceBaud(bitsPerSecond)});
    command.newBoardSpeed = bitsPerSecond;
    return command;
}

// One write, the bytes exactly as given, up to what the port queues at once.
std::optional<CtlCommand> Raw(const QStringList &args, QString *error)
{
    const auto bytes = HexBytes(args, error);
    if (!bytes)
        return std::nullopt;
    if (bytes->size() > MSComm::OutBufferSize) {
        *error = QStringLiteral("HEX has %1 bytes; one raw write takes at most %2")
                     .arg(bytes->size())
                     .arg(MSComm::OutBufferSize);
        return std::nullopt;
    }
    return Writes({*bytes});
}

} // namespace BoardCommands
