#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The options a line of the line language may carry, and its words.
struct LineOptions
{
    static constexpr int DefaultTimeoutMs = 500;
    static constexpr int LongestTimeoutMs = 3600 * 1000;

    bool json = false;                // --json: a read's value as one JSON object
    int timeoutMs = DefaultTimeoutMs; // --timeout MS: how long to wait for the board
    bool escapes = false;             // -e, --escapes: \1 to \8, \\ and \xHH in texts
    bool help = false;                // -h, --help
    QStringList words;                // the command's name and its arguments
};

// --json, --timeout, -e/--escapes and -h/--help, as QCommandLineParser takes them.
QList<QCommandLineOption> LineOptionSet();

// Arguments sorted into options and words. Options may stand anywhere before
// "--", which makes every argument after it a word (for a text that begins
// with "--"); a text that begins with one dash ("-5 C") is a word unless it
// is one of the set's short options. A valued option's value follows it, or
// is joined to it with "=". With dashIsInput, a "-" before the command's
// name is told apart (standard input) rather than taken as a word.
struct SortedArguments
{
    QStringList options; // for QCommandLineParser, each option with its value
    QStringList words;
    bool dash = false;
};
class QCommandLineParser;
// Sorts the arguments and has the parser (given the set) read the options;
// no value, with *error set, for an unknown option or a missing value.
std::optional<SortedArguments> ParseArguments(QCommandLineParser &parser, const QStringList &args,
                                              const QList<QCommandLineOption> &set,
                                              bool dashIsInput, QString *error);

// The line options a parser found, over the defaults given; no value, with
// *error set, for a bad --timeout.
std::optional<LineOptions> TakeLineOptions(const QCommandLineParser &parser,
                                           const LineOptions &defaults, QString *error);

// The options and words of one line, over the defaults (those of the
// command line it came through). Only the line's own options may stand there.
std::optional<LineOptions> ParseLineOptions(const QStringList &args, const LineOptions &defaults,
                                            QString *error);
