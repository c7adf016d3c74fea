#include "ctl/ctloptions.h"

namespace {

const QStringList ValuedOptions = {"--port", "--speed", "--ini", "--timeout"};
const QStringList Flags = {"--json", "--dry-run", "--help"};
// What a line of standard input may not change: the port is open already.
const QStringList CommandLineOnly = {"--port", "--speed", "--ini", "--dry-run"};

bool SetValue(CtlOptions &options, const QString &name, const QString &value, QString *error)
{
    if (name == u"--timeout") {
        bool ok = false;
        const int ms = value.toInt(&ok);
        if (!ok || ms < 1 || ms > CtlOptions::LongestTimeoutMs) {
            *error = QStringLiteral("--timeout \"%1\" is not a number of milliseconds from 1 to %2")
                         .arg(value)
                         .arg(CtlOptions::LongestTimeoutMs);
            return false;
        }
        options.timeoutMs = ms;
    } else if (value.isEmpty()) {
        *error = name + QStringLiteral(" needs a value");
        return false;
    } else if (name == u"--speed") {
        if (value != u"9600" && value != u"19200") {
            *error = QStringLiteral("--speed \"%1\" is not 9600 or 19200").arg(value);
            return false;
        }
        options.speed = value;
    } else {
        (name == u"--port" ? options.port : options.iniFile) = value;
    }
    return true;
}

void SetFlag(CtlOptions &options, const QString &name)
{
    if (name == u"--json")
        options.json = true;
    else if (name == u"--dry-run")
        options.dryRun = true;
    else
        options.help = true;
}

// One option at args[i]; a value that follows it moves i on.
bool TakeOption(CtlOptions &options, const QStringList &args, qsizetype &i, OptionScope scope,
                QString *error)
{
    const QString &arg = args.at(i);
    const qsizetype equals = arg.indexOf(u'=');
    const QString name = arg.left(equals);
    if (!ValuedOptions.contains(name) && !Flags.contains(name)) {
        *error = QStringLiteral("unknown option %1 (a text that begins with -- goes after --)")
                     .arg(name);
        return false;
    }
    if (scope == OptionScope::InputLine && CommandLineOnly.contains(name)) {
        *error = name + QStringLiteral(" belongs on vantorctl's own command line, before -");
        return false;
    }
    if (Flags.contains(name)) {
        if (equals >= 0) {
            *error = name + QStringLiteral(" takes no value");
            return false;
        }
        SetFlag(options, name);
        return true;
    }
    if (equals < 0 && i + 1 >= args.size()) {
        *error = name + QStringLiteral(" needs a value");
        return false;
    }
    return SetValue(options, name, equals >= 0 ? arg.mid(equals + 1) : args.at(++i), error);
}

enum class ArgKind
{
    Word,
    EndOfOptions,
    Help,
    Input,
    Option
};

// What an argument is. A text that begins with one dash ("-5 C") is a word.
ArgKind KindOf(const QString &arg, bool optionsEnded, bool commandSeen, OptionScope scope)
{
    if (optionsEnded)
        return ArgKind::Word;
    if (arg == u"--")
        return ArgKind::EndOfOptions;
    if (arg == u"-h")
        return ArgKind::Help;
    if (arg.startsWith(u"--"))
        return ArgKind::Option;
    if (arg == u"-" && !commandSeen && scope == OptionScope::CommandLine)
        return ArgKind::Input;
    return ArgKind::Word;
}

} // namespace

std::optional<CtlOptions> ParseOptions(const QStringList &args, OptionScope scope,
                                       const CtlOptions &defaults, QString *error)
{
    CtlOptions options = defaults;
    options.words.clear();
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        switch (KindOf(args.at(i), optionsEnded, !options.words.isEmpty(), scope)) {
        case ArgKind::Word: options.words << args.at(i); break;
        case ArgKind::EndOfOptions: optionsEnded = true; break;
        case ArgKind::Help: options.help = true; break;
        case ArgKind::Input: options.fromInput = true; break;
        case ArgKind::Option:
            if (!TakeOption(options, args, i, scope, error))
                return std::nullopt;
            break;
        }
    }
    return options;
}
