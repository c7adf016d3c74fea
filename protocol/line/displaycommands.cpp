#include "protocol/commands.h"
#include "protocol/customchars.h"
#include "protocol/line/charpattern.h"
#include "protocol/line/commandbuilders.h"
#include "protocol/line/lineargs.h"
#include "protocol/textframes.h"

namespace {

constexpr int LastRow = 1;
constexpr int LastColumn = DisplayLineLength - 1;

struct TwoTexts
{
    QString first;
    QString second;
};

std::optional<TwoTexts> CheckTwoTexts(const QStringList &names, const QString &first,
                                      const QString &second, int width, TextPlace place,
                                      const ArgumentRules &rules, QString *error)
{
    const auto one = DisplayText(names.at(0), first, width, place, rules.escapes, error);
    const auto two =
        one ? DisplayText(names.at(1), second, width, place, rules.escapes, error) : std::nullopt;
    if (!two)
        return std::nullopt;
    return TwoTexts{*one, *two};
}

// A definition goes as the windows send it: the command with text 1, then text 2.
LineCommand Definition(const TwoTextCommand &definition)
{
    return LineCommand::of({definition.command + definition.first, definition.second});
}

std::optional<LineCommand> OneByte(Cmd::Code code, const QString &name, const QString &text,
                                   int first, int last, QString *error)
{
    const auto value = WholeNumber(name, text, first, last, error);
    if (!value)
        return std::nullopt;
    return LineCommand::of({Cmd::command(code, *value)});
}

} // namespace

namespace DisplayCommands {

std::optional<LineCommand> Text(const QStringList &args, const ArgumentRules &rules, QString *error)
{
    const auto lines = CheckTwoTexts({"LINE1", "LINE2"}, args.at(0), args.value(1),
                                     DisplayLineLength, TextPlace::Free, rules, error);
    if (!lines)
        return std::nullopt;
    const TwoLineText text = DisplayLinesText(lines->first, lines->second);
    return LineCommand::of({text.first, text.second});
}

std::optional<LineCommand> Clear(const QStringList &, const ArgumentRules &, QString *)
{
    return LineCommand::of({Cmd::control(Cmd::ClearDisplay)});
}

std::optional<LineCommand> Cursor(const QStringList &args, const ArgumentRules &, QString *error)
{
    static constexpr Cmd::Code Styles[] = {Cmd::CursorUnderline, Cmd::CursorBlockBlink,
                                           Cmd::CursorHide};
    const auto style = ChoiceArgument("STYLE", args.at(0), {"underline", "block", "hide"}, error);
    if (!style)
        return std::nullopt;
    return LineCommand::of({Cmd::command(Styles[*style])});
}

std::optional<LineCommand> Goto(const QStringList &args, const ArgumentRules &, QString *error)
{
    const auto row = WholeNumber("ROW", args.at(0), 0, LastRow, error);
    const auto column = row ? WholeNumber("COL", args.at(1), 0, LastColumn, error) : std::nullopt;
    if (!column)
        return std::nullopt;
    return LineCommand::of({Cmd::command(Cmd::SetCursorPosition, *row, *column)});
}

std::optional<LineCommand> DeleteRow(const QStringList &args, const ArgumentRules &, QString *error)
{
    return OneByte(Cmd::DeleteRow, "ROW", args.at(0), 0, LastRow, error);
}

std::optional<LineCommand> DeleteColumn(const QStringList &args, const ArgumentRules &,
                                        QString *error)
{
    return OneByte(Cmd::DeleteColumn, "COL", args.at(0), 0, LastColumn, error);
}

std::optional<LineCommand> Screen(const QStringList &args, const ArgumentRules &, QString *error)
{
    return OneByte(Cmd::ShowScreen, "N", args.at(0), 1, Cmd::UserScreenCount, error);
}

std::optional<LineCommand> Startup(const QStringList &args, const ArgumentRules &rules,
                                   QString *error)
{
    const auto lines = CheckTwoTexts({"LINE1", "LINE2"}, args.at(0), args.at(1), DisplayLineLength,
                                     TextPlace::Definition, rules, error);
    if (!lines)
        return std::nullopt;
    // As "Send Configuration" sends it: the command, line 1, line 2, each a write.
    const TwoTextCommand startup = StartupScreenCommand(lines->first, lines->second);
    return LineCommand::of({startup.command, startup.first, startup.second});
}

std::optional<LineCommand> DefineScreen(const QStringList &args, const ArgumentRules &rules,
                                        QString *error)
{
    const auto screen = WholeNumber("N", args.at(0), 1, Cmd::UserScreenCount, error);
    const auto lines = screen
                           ? CheckTwoTexts({"LINE1", "LINE2"}, args.at(1), args.at(2),
                                           DisplayLineLength, TextPlace::Definition, rules, error)
                           : std::nullopt;
    if (!lines)
        return std::nullopt;
    return Definition(UserScreenCommand(*screen, lines->first, lines->second));
}

std::optional<LineCommand> Scroll(const QStringList &args, const ArgumentRules &rules,
                                  QString *error)
{
    const auto leftToRight = LeftToRight(args.at(0), error);
    const auto texts = leftToRight
                           ? CheckTwoTexts({"TEXT1", "TEXT2"}, args.at(1), args.at(2),
                                           ScrollTextLength, TextPlace::Definition, rules, error)
                           : std::nullopt;
    if (!texts)
        return std::nullopt;
    const auto way = *leftToRight ? ScrollDirection::LeftToRight : ScrollDirection::RightToLeft;
    return Definition(ScrollCommand(way, texts->first, texts->second));
}

// The board takes all eight characters in one definition: the patterns given
// define characters N, N+1, ..., every other character is blank. Sent as
// "Load Custom Characters Onto LCD" sends it: the definition, then the same
// definition again followed by GraphModeOff.
std::optional<LineCommand> Char(const QStringList &args, const ArgumentRules &, QString *error)
{
    const int patterns = int(args.size()) - 1;
    const auto first = WholeNumber("N", args.at(0), 1, Cmd::CustomCharCount, error);
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
    return LineCommand::of({definition, definition + Cmd::command(Cmd::GraphModeOff)});
}

std::optional<LineCommand> ShowChar(const QStringList &args, const ArgumentRules &, QString *error)
{
    const auto character = WholeNumber("N", args.at(0), 1, Cmd::CustomCharCount, error);
    if (!character)
        return std::nullopt;
    return LineCommand::of({ShowCustomCharCommand(*character - 1)});
}

} // namespace DisplayCommands
