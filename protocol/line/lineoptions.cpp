#include "protocol/line/lineoptions.h"

#include "protocol/line/lineargs.h"

#include <QCommandLineParser>

namespace {

// The option of that name (without its dashes) in the set.
const QCommandLineOption *Find(const QList<QCommandLineOption> &set, const QString &name)
{
    for (const QCommandLineOption &option : set) {
        if (option.names().contains(name))
            return &option;
    }
    return nullptr;
}

// The option an argument names, or nothing when it is a word.
std::optional<QString> OptionName(const QString &arg, const QList<QCommandLineOption> &set)
{
    if (arg.startsWith(u"--"))
        return arg.mid(2).section(u'=', 0, 0);
    if (arg.size() == 2 && arg.startsWith(u'-') && Find(set, arg.mid(1)))
        return arg.mid(1);
    return std::nullopt;
}

std::optional<SortedArguments> SortArguments(const QStringList &args,
                                             const QList<QCommandLineOption> &set, bool dashIsInput,
                                             QString *error)
{
    SortedArguments sorted;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == u"--") {
            sorted.words += args.mid(i + 1);
            break;
        }
        if (arg == u"-" && dashIsInput && sorted.words.isEmpty()) {
            sorted.dash = true;
            continue;
        }
        const auto name = OptionName(arg, set);
        if (!name) {
            sorted.words << arg;
            continue;
        }
        const QCommandLineOption *option = Find(set, *name);
        if (!option) {
            *error = QStringLiteral("unknown option %1 (a text that begins with -- goes after --)")
                         .arg(QuotedChars(arg));
            return std::nullopt;
        }
        sorted.options << arg;
        const bool joined = arg.contains(u'=');
        if (!option->valueName().isEmpty() && !joined && i + 1 < args.size())
            sorted.options << args.at(++i);
    }
    return sorted;
}

} // namespace

QList<QCommandLineOption> LineOptionSet()
{
    return {QCommandLineOption(QStringLiteral("json")),
            QCommandLineOption(QStringLiteral("timeout"), {}, QStringLiteral("MS")),
            QCommandLineOption(QStringList{QStringLiteral("e"), QStringLiteral("escapes")}),
            QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")})};
}

std::optional<SortedArguments> ParseArguments(QCommandLineParser &parser, const QStringList &args,
                                              const QList<QCommandLineOption> &set,
                                              bool dashIsInput, QString *error)
{
    const auto sorted = SortArguments(args, set, dashIsInput, error);
    if (!sorted)
        return std::nullopt;
    parser.addOptions(set);
    if (!parser.parse(QStringList{QStringLiteral("vantorctl")} + sorted->options)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    return sorted;
}

std::optional<LineOptions> TakeLineOptions(const QCommandLineParser &parser,
                                           const LineOptions &defaults, QString *error)
{
    LineOptions options = defaults;
    options.json = defaults.json || parser.isSet(QStringLiteral("json"));
    options.escapes = defaults.escapes || parser.isSet(QStringLiteral("escapes"));
    options.help = parser.isSet(QStringLiteral("help"));
    if (parser.isSet(QStringLiteral("timeout"))) {
        const QString value = parser.value(QStringLiteral("timeout"));
        bool ok = false;
        const int ms = value.toInt(&ok);
        if (!ok || ms < 1 || ms > LineOptions::LongestTimeoutMs) {
            *error = QStringLiteral("--timeout %1 is not a number of milliseconds from 1 to %2")
                         .arg(QuotedChars(value))
                         .arg(LineOptions::LongestTimeoutMs);
            return std::nullopt;
        }
        options.timeoutMs = ms;
    }
    return options;
}

std::optional<LineOptions> ParseLineOptions(const QStringList &args, const LineOptions &defaults,
                                            QString *error)
{
    // What a line may not change: the port is chosen and open already.
    static const QStringList CommandLineOnly = {"--port",   "--speed",   "--ini", "--dry-run",
                                                "--direct", "--version", "-V"};
    for (const QString &arg : args) {
        if (arg == u"--")
            break;
        if (CommandLineOnly.contains(arg.section(u'=', 0, 0))) {
            *error = arg.section(u'=', 0, 0)
                     + QStringLiteral(" belongs on vantorctl's own command line, before -");
            return std::nullopt;
        }
    }
    QCommandLineParser parser;
    const auto sorted = ParseArguments(parser, args, LineOptionSet(), false, error);
    if (!sorted)
        return std::nullopt;
    auto options = TakeLineOptions(parser, defaults, error);
    if (options)
        options->words = sorted->words;
    return options;
}
