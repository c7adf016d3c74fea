#include "protocol/commands.h"
#include "protocol/line/commandbuilders.h"
#include "protocol/line/lineargs.h"

namespace {

// The longest raw write: what the port queues at once.
constexpr int MaxRawBytes = 64 * 1024;

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

std::optional<LineCommand> Chosen(const QString &name, const QString &text,
                                  const QStringList &words, const QList<Cmd::Code> &codes,
                                  QString *error)
{
    const auto chosen = ChoiceArgument(name, text, words, error);
    if (!chosen)
        return std::nullopt;
    return LineCommand::of({Cmd::command(codes.at(*chosen))});
}

} // namespace

namespace BoardCommands {

std::optional<LineCommand> Save(const QStringList &, const ArgumentRules &, QString *)
{
    return LineCommand::of({Cmd::command(Cmd::SaveSettings)});
}

std::optional<LineCommand> Backlight(const QStringList &args, const ArgumentRules &, QString *error)
{
    const QString word = args.at(0).trimmed().toLower();
    if (word == u"on" || word == u"off")
        return LineCommand::of(
            {Cmd::command(word == u"on" ? Cmd::BacklightOn : Cmd::BacklightOff)});
    const auto level = WholeNumber("LEVEL", args.at(0), 0, 255, error);
    if (!level) {
        *error = QStringLiteral("%1 is neither on, off nor a LEVEL from 0 to 255 (a whole number)")
                     .arg(QuotedChars(args.at(0)));
        return std::nullopt;
    }
    return LineCommand::of({Cmd::command(Cmd::SetBrightness, *level)});
}

std::optional<LineCommand> AutoOff(const QStringList &args, const ArgumentRules &, QString *error)
{
    const auto seconds = WholeNumber("SECONDS", args.at(0), 0, 255, error);
    if (!seconds)
        return std::nullopt;
    return LineCommand::of({Cmd::command(Cmd::SetAutoOff, *seconds)});
}

// A mask 0 to 7, or the names of the outputs that are to be on.
std::optional<LineCommand> Outputs(const QStringList &args, const ArgumentRules &, QString *error)
{
    const QString &text = args.at(0);
    auto mask = NamedOutputs(text);
    if (!mask && !text.contains(u','))
        mask = WholeNumber("MASK", text, 0, 7, error);
    if (!mask) {
        *error = QStringLiteral("%1 is neither a MASK from 0 to 7 nor outputs such as Out1,Out3")
                     .arg(QuotedChars(text));
        return std::nullopt;
    }
    return LineCommand::of({Cmd::command(Cmd::SetOutputs, *mask)});
}

std::optional<LineCommand> Read(const QStringList &args, const ArgumentRules &, QString *error)
{
    static constexpr struct
    {
        Cmd::Code code;
        ReadKind kind;
    } Reads[] = {{Cmd::ReadInputs, ReadKind::Inputs},
                 {Cmd::ReadVoltage, ReadKind::Voltage},
                 {Cmd::ReadCurrent, ReadKind::Current}};
    const auto chosen =
        ChoiceArgument("INPUT", args.at(0), {"inputs", "voltage", "current"}, error);
    if (!chosen)
        return std::nullopt;
    LineCommand command = LineCommand::of({Cmd::command(Reads[*chosen].code)});
    command.read = Reads[*chosen].kind;
    return command;
}

std::optional<LineCommand> Graph(const QStringList &args, const ArgumentRules &, QString *error)
{
    return Chosen("MODE", args.at(0), {"on", "off"}, {Cmd::GraphModeOn, Cmd::GraphModeOff}, error);
}

// As "Draw" sends it: the cursor to the bar's start, then the bar; left to
// right unless the direction says otherwise.
std::optional<LineCommand> Bar(const QStringList &args, const ArgumentRules &, QString *error)
{
    const auto row = WholeNumber("ROW", args.at(0), 0, 1, error);
    const auto column = row ? WholeNumber("COL", args.at(1), 0, 15, error) : std::nullopt;
    const auto length = column ? WholeNumber("LENGTH", args.at(2), 1, 80, error) : std::nullopt;
    const auto leftToRight = length ? LeftToRight(args.value(3, "left"), error) : std::nullopt;
    if (!leftToRight)
        return std::nullopt;
    const auto bar = *leftToRight ? Cmd::GraphLeftToRight : Cmd::GraphRightToLeft;
    return LineCommand::of(
        {Cmd::command(Cmd::SetCursorPosition, *row, *column), Cmd::command(bar, *length)});
}

std::optional<LineCommand> DeviceSpeed(const QStringList &args, const ArgumentRules &,
                                       QString *error)
{
    const auto speed = ChoiceArgument("SPEED", args.at(0), {"9600", "19200"}, error);
    if (!speed)
        return std::nullopt;
    const qint32 bitsPerSecond = *speed == 0 ? 9600 : 19200;
    LineCommand command = LineCommand::of({Cmd::deviceBaud(bitsPerSecond)});
    command.newBoardSpeed = bitsPerSecond;
    return command;
}

// One write, the bytes exactly as given, up to what the port queues at once.
std::optional<LineCommand> Raw(const QStringList &args, const ArgumentRules &, QString *error)
{
    const auto bytes = HexBytes(args, error);
    if (!bytes)
        return std::nullopt;
    if (bytes->size() > MaxRawBytes) {
        *error = QStringLiteral("HEX has %1 bytes; one raw write takes at most %2")
                     .arg(bytes->size())
                     .arg(MaxRawBytes);
        return std::nullopt;
    }
    return LineCommand::of({*bytes});
}

} // namespace BoardCommands
