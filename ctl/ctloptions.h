#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Where an option stands: on vantorctl's own command line, or on a line of
// standard input, where the port is open already and only the options of
// one command may change.
enum class OptionScope
{
    CommandLine,
    InputLine
};

// vantorctl's options and the words of its command.
struct CtlOptions
{
    static constexpr int DefaultTimeoutMs = 500;
    static constexpr int LongestTimeoutMs = 3600 * 1000;

    QString port;    // --port: a device or COMn; empty: the panel's port
    QString speed;   // --speed: "9600" or "19200"; empty: the panel's speed
    QString iniFile; // --ini: the settings file to take the panel's choice from
    int timeoutMs = DefaultTimeoutMs;
    bool json = false;
    bool dryRun = false;
    bool help = false;
    bool fromInput = false; // "-": the commands come from standard input
    QStringList words;      // the command's name and its arguments
};

// Reads options and words, starting from defaults. Options may stand
// anywhere before "--", which makes every argument after it a word (for a
// text that begins with "--"). No value, with *error set, for an unknown
// option, a missing or bad value, or an option the scope does not allow.
std::optional<CtlOptions> ParseOptions(const QStringList &args, OptionScope scope,
                                       const CtlOptions &defaults, QString *error);
