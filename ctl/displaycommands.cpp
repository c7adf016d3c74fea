#include "ctl/displaycommands.h"

#include "ctl/argvalues.h"
#include "ctl/charpattern.h"
#include "protocol/commandbuffer.h"
#include "protocol/commands.h"
#include "protocol/customchars.h"
#include "protocol/merrowfunc.h"
#include "protocol/textframes.h"

namespace {

bool CheckTwoTexts(const QStringList &names, const QString &first, const QString &second, int width,
                   TextPlace place, QString *error)
{
    return CheckDisplayText(names.at(0), first, width, place, error)
           && CheckDisplayText(names.at(1), second, width, place, error);
}

// A definition goes as the windows send it: the command with text 1, then text 2.
CtlCommand Definition(const TwoTextCommand &definition)
{
    return Writes({definition.command + definition.first, definition.second});
}

} // namespace

namespace DisplayCommands {

std::optional<CtlCommand> Text(const QStringList &args, QString *error)
{
    const QString line2 = args.value(1);
    if (!CheckTwoTexts({"LINE1", "LINE2"}, args.at(0), line2, DisplayLineLength, TextPlace::Free,
                       error))
        return std::nullopt;
    const TwoLineText text = DisplayLinesText(args.at(0), line2);
    return Writes({text.first, text.second});
}

std::optional<CtlCommand> Clear(const QStringList &, QString *)
{
    return Writes({Cmd::control(Cmd::ClearDisplay)});
}

std::optional<CtlCommand> Cursor(const QStringList &args, QString *error)
{
    return ChosenCommand(
        "STYLE", args.at(0), {"underline", "block", "hide"},
        {Selector::CursorUnderline, Selector::CursorBlockBlink, Selector::CursorHide}, error);
}

std::optional<CtlCommand> Goto(const QStringList &args, QString *error)
{
    const auto row = ByteArgument("ROW", args.at(0), error);
    const auto column = row ? ByteArgument("COL", args.at(1), error) : std::nullopt;
    if (!column)
        return std::nullopt;
    merrowfunc::BuildCursorPosition(*row, *column);
    return Writes({strCommand});
}

std::optional<CtlCommand> DeleteRow(const QStringList &args, QString *error)
{
    return EncodedByte(merrowfunc::BuildDeleteRow, "ROW", args.at(0), error);
}

std::optional<CtlCommand> DeleteColumn(const QStringList &args, QString *error)
{
    return EncodedByte(merrowfunc::BuildDeleteColumn, "COL", args.at(0), error);
}

std::optional<CtlCommand> Screen(const QStringList &args, QString *error)
{
    return EncodedByte(merrowfunc::BuildShowScreen, "N", args.at(0), error);
}

std::optional<CtlCommand> Startup(const QStringList &args, QString *error)
{
    if (!CheckTwoTexts({"LINE1", "LINE2"}, args.at(0), args.at(1), DisplayLineLength,
                       TextPlace::Definition, error))
        return std::nullopt;
    // As "Send Configuration" sends it: the command, line 1, line 2, each a write.
    const TwoTextCommand startup = StartupScreenCommand(args.at(0), args.at(1));
    return Writes({startup.command, startup.first, startup.second});
}

// Screen numbers outside 1 to 10 would make another command (FE D3 is a scroll).
std::optional<CtlCommand> DefineScreen(const QStringList &args, QString *error)
{
    const auto screen = ByteInRange("N", args.at(0), 1, Cmd::UserScreenCount, error);
    if (!screen
        || !CheckTwoTexts({"LINE1", "LINE2"}, args.at(1), args.at(2), DisplayLineLength,
                          TextPlace::Definition, error))
        return std::nullopt;
    return Definition(UserScreenCommand(*screen, args.at(1), args.at(2)));
}

std::optional<CtlCommand> Scroll(const QStringList &args, QString *error)
{
    const auto leftToRight = LeftToRight(args.at(0), error);
    if (!leftToRight
        || !CheckTwoTexts({"TEXT1", "TEXT2"}, args.at(1), args.at(2), ScrollTextLength,
                          TextPlace::Definition, error))
        return std::nullopt;
    const auto way = *leftToRight ? ScrollDirection::LeftToRight : ScrollDirection::RightToLeft;
    return Definition(ScrollCommand(way, args.at(1), args.at(2)));
}

// The board takes all eight characters in one definition: the patterns given
// define characters N, N+1, ..., every other character is blank. Sent as
// "Load Custom Characters Onto LCD" sends it: the definition, then the same
// definition again followed by GraphModeOff.
std::optional<CtlCommand> Char(const QStringList &args, QString *error)
{
    const int patterns = int(args.size()) - 1;
    const auto first = ByteInRange("N", args.at(0), 1, Cmd::CustomCharCount, error);
    if (!first)
        return std::nullopt;
    if (*first - 1 + patterns > Cmd::CustomCharCount) {
        *error = QStringLiteral("%1 patterns from character %2 run past character %3")
                     .arg(patterns)
                     .arg(*first)
                     .arg(Cmd::CustomCharCount);
        return std::nullopt;
    }
    CustomCharSet chars{};
    for (int i = 0; i < patterns; ++i) {
        const auto rows =
            CharPattern(QStringLiteral("PATTERN %1").arg(i + 1), args.at(i + 1), error);
        if (!rows)
            return std::nullopt;
        chars[size_t(*first) - 1 + size_t(i)] = *rows;
    }
    const QByteArray definition = CustomCharsCommand(chars);
    return Writes({definition, definition + Cmd::command(Cmd::GraphModeOff)});
}

std::optional<CtlCommand> ShowChar(const QStringList &args, QString *error)
{
    const auto character = ByteInRange("N", args.at(0), 1, Cmd::CustomCharCount, error);
    if (!character)
        return std::nullopt;
    return Writes({ShowCustomCharCommand(*character - 1)});
}

} // namespace DisplayCommands
