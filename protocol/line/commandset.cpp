#include "protocol/line/commandset.h"

#include "protocol/line/lineargs.h"

#include <algorithm>
#include <numeric>

namespace {

using namespace DisplayCommands;
using namespace BoardCommands;

constexpr int Many = 64;
constexpr int HelpWidth = 76;

const std::vector<LineCommandInfo> Table = {
    {"text", "LINE1 [LINE2]", 1, 2, Text, "write two lines of text at the cursor",
     "Writes LINE1 at the cursor, then a new line when LINE1 is shorter than 16 characters, "
     "then LINE2, as the panel's \"Send\" does. Each line has at most 16 characters, each one "
     "byte of Latin-1 (not FE, which starts a command); with -e, \\1 to \\8 are custom "
     "characters 1 to 8, \\\\ a backslash and \\xHH any other byte."},
    {"clear", "", 0, 0, Clear, "clear the display", "Clears the display and homes the cursor."},
    {"cursor", "underline|block|hide", 1, 1, Cursor, "choose the cursor style",
     "An underline cursor, a blinking block cursor, or none."},
    {"goto", "ROW COL", 2, 2, Goto, "move the cursor",
     "Moves the cursor to ROW (0 or 1) and column COL (0 to 15)."},
    {"delete-row", "ROW", 1, 1, DeleteRow, "delete a row", "Deletes row ROW (0 or 1)."},
    {"delete-column", "COL", 1, 1, DeleteColumn, "delete a column",
     "Deletes column COL (0 to 15)."},
    {"screen", "N", 1, 1, Screen, "show a stored user screen",
     "Shows user screen N (1 to 10), as stored with define-screen."},
    {"save", "", 0, 0, Save, "store the board's settings in its non-volatile memory",
     "The board stores brightness, backlight, auto-off, cursor style, speed and the custom "
     "characters, overwriting what it stored before."},
    {"backlight", "on|off|LEVEL", 1, 1, Backlight, "switch or dim the backlight",
     "Switches the backlight on or off, or sets its brightness to LEVEL (0 to 255; the "
     "panel's slider offers 50 to 250)."},
    {"auto-off", "SECONDS", 1, 1, AutoOff, "set the backlight's time-out",
     "The backlight goes dark after SECONDS (0 to 255) without a byte; 0 never."},
    {"outputs", "MASK|Out1,Out3", 1, 1, Outputs, "set the three digital outputs",
     "MASK is 0 to 7: 1 Out1, 2 Out2, 4 Out3, added up. Or the names of the outputs to switch "
     "on, separated by commas (Out1,Out3); the others go off."},
    {"read", "inputs|voltage|current", 1, 1, Read, "read an input and print its value",
     "Prints the value as the panel's read-out shows it (5, 5.0176V, 20mA), or with --json "
     "one line such as {\"count\":512,\"kind\":\"voltage\",\"unit\":\"V\",\"value\":5.0176} "
     "(inputs: {\"kind\":\"inputs\",\"value\":5}). Bytes waiting before the request are "
     "dropped. No whole reply within --timeout ms: exit status 1."},
    {"startup", "LINE1 LINE2", 2, 2, Startup, "store the board's start-up screen",
     "Stores the two lines (at most 16 characters each) the board shows when it starts. A "
     "line may hold any Latin-1 byte but 0D, FE and FF; with -e, \\1 to \\8 are custom "
     "characters 1 to 8."},
    {"define-screen", "N LINE1 LINE2", 3, 3, DefineScreen, "store a user screen",
     "Stores user screen N (1 to 10) with two lines of at most 16 characters (any Latin-1 byte "
     "but 0D, FE and FF; -e as for startup); the screen command shows it."},
    {"scroll", "left|right TEXT1 TEXT2", 3, 3, Scroll, "scroll two texts across the display",
     "TEXT1 runs through the first row, TEXT2 through the second, at most 40 characters each "
     "(any Latin-1 byte but 0D, FE and FF). left is the panel's \"Left to Right\", right its "
     "\"Right to Left\" (also written left-to-right and right-to-left). clear stops it."},
    {"graph", "on|off", 1, 1, Graph, "switch the bar-graph mode",
     "Bars are drawn only in bar-graph mode; it uses the custom characters' memory, so graph "
     "off brings the custom characters back."},
    {"bar", "ROW COL LENGTH [left|right]", 3, 4, Bar, "draw a horizontal bar",
     "Moves the cursor to ROW (0 or 1) and COL (0 to 15), then draws a bar of LENGTH (1 to 80) "
     "pixel columns, left to right unless right is given. Needs graph on."},
    {"char", "N PATTERN...", 2, 9, Char, "define custom characters",
     "Defines characters N, N+1, ... (1 to 8) with one PATTERN each. The board takes all "
     "eight characters at once, so the characters without a pattern become blank. A PATTERN "
     "is eight rows from the top, separated by commas; each row is five pixels of # (on) and "
     ". (off), leftmost first, or its value 0 to 31 (decimal, or hexadecimal with 0x; 16 is "
     "the leftmost pixel): \"..#..,.###.,#####,..#..,..#..,..#..,..#..,.....\" is an arrow. "
     "Sent as the panel's \"Load Custom Characters Onto LCD\" sends it, which also ends "
     "bar-graph mode."},
    {"show-char", "N", 1, 1, ShowChar, "write a custom character at the cursor",
     "Writes custom character N (1 to 8) at the cursor."},
    {"device-speed", "9600|19200", 1, 1, DeviceSpeed, "switch the board to another speed",
     "Tells the board to work at that speed. With -, vantorctl follows it for the commands "
     "after it. Later calls need --speed, or \"Setting\" in vantor.ini, at the new speed."},
    {"raw", "HEX...", 1, Many, Raw, "send any bytes",
     "Sends the bytes exactly as given, two hexadecimal digits each (FE 2F 05 or FE2F05), in "
     "one write: the caller frames them."},
};

QString Arguments(int count)
{
    return QStringLiteral("%1 argument%2").arg(count).arg(count == 1 ? "" : "s");
}

QString CountText(const LineCommandInfo &command)
{
    if (command.fewest == command.most)
        return Arguments(command.fewest);
    if (command.most == Many)
        return QStringLiteral("at least ") + Arguments(command.fewest);
    return QStringLiteral("%1 to %2 arguments").arg(command.fewest).arg(command.most);
}

// The text in lines of at most width characters, broken at blanks.
QString Wrapped(const QString &text, int width)
{
    QString wrapped;
    qsizetype lineLength = 0;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            wrapped += u'\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            wrapped += u' ';
            ++lineLength;
        }
        wrapped += word;
        lineLength += word.size();
    }
    return wrapped;
}

// How many single-character edits make one text the other.
qsizetype EditDistance(const QString &a, const QString &b)
{
    std::vector<qsizetype> row(size_t(b.size()) + 1);
    std::iota(row.begin(), row.end(), qsizetype(0));
    for (qsizetype i = 1; i <= a.size(); ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const qsizetype above = row[size_t(j)];
            const qsizetype replace = diagonal + (a.at(i - 1) == b.at(j - 1) ? 0 : 1);
            row[size_t(j)] = std::min({above + 1, row[size_t(j) - 1] + 1, replace});
            diagonal = above;
        }
    }
    return row.back();
}

} // namespace

const std::vector<LineCommandInfo> &LineCommands()
{
    return Table;
}

const LineCommandInfo *FindLineCommand(const QString &name)
{
    for (const LineCommandInfo &command : Table) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString NearestCommandName(const QString &name)
{
    const QString lower = name.toLower();
    QString nearest;
    qsizetype best = 3; // more edits than 2 is another word
    for (const LineCommandInfo &command : Table) {
        const QString candidate = QLatin1String(command.name);
        const qsizetype distance =
            candidate.startsWith(lower) && lower.size() >= 2 ? 1 : EditDistance(lower, candidate);
        if (distance < best) {
            best = distance;
            nearest = candidate;
        }
    }
    return nearest;
}

std::optional<LineCommand> BuildFromWords(const QStringList &words, const ArgumentRules &rules,
                                          QString *error)
{
    const LineCommandInfo *command = words.isEmpty() ? nullptr : FindLineCommand(words.first());
    if (!command) {
        if (words.isEmpty()) {
            *error = QStringLiteral("no command given");
            return std::nullopt;
        }
        const QString nearest = NearestCommandName(words.first());
        *error = QStringLiteral("unknown command %1").arg(QuotedChars(words.first()));
        if (!nearest.isEmpty())
            *error += QStringLiteral("; did you mean \"%1\"?").arg(nearest);
        return std::nullopt;
    }
    const QStringList args = words.mid(1);
    if (args.size() < command->fewest || args.size() > command->most) {
        *error = QStringLiteral("%1 takes %2 (%3), not %4")
                     .arg(command->name, CountText(*command), command->synopsis)
                     .arg(args.size());
        return std::nullopt;
    }
    QString reason;
    auto built = command->build(args, rules, &reason);
    if (!built)
        *error = QLatin1String(command->name) + QStringLiteral(": ") + reason;
    return built;
}

QString LineCommandHelp(const LineCommandInfo &command)
{
    QString summary = QLatin1String(command.summary);
    summary[0] = summary[0].toUpper();
    const QString usage =
        QStringLiteral("vantorctl [OPTIONS] %1 %2").arg(command.name, command.synopsis);
    return QStringLiteral("Usage: %1\n%2.\n\n%3\n")
        .arg(usage.trimmed(), summary, Wrapped(QLatin1String(command.details), HelpWidth));
}

QString LineCommandList()
{
    QString list;
    for (const LineCommandInfo &command : Table) {
        const QString call = QStringLiteral("%1 %2").arg(command.name, command.synopsis).trimmed();
        list += QStringLiteral("  %1\n      %2\n").arg(call, command.summary);
    }
    return list;
}

QString OneLineHelp(const QString &topic)
{
    if (topic.isEmpty()) {
        QStringList names;
        for (const LineCommandInfo &command : Table)
            names << QLatin1String(command.name);
        return QStringLiteral("commands: ") + names.join(u", ")
               + QStringLiteral(" (vantorctl help COMMAND tells more)");
    }
    const LineCommandInfo *command = FindLineCommand(topic);
    if (!command)
        return {};
    return QStringLiteral("%1 %2: %3")
        .arg(command->name, command->synopsis, command->summary)
        .simplified();
}
