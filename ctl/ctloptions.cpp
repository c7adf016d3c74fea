#include "ctl/ctloptions.h"

#include "protocol/line/lineargs.h"
#include "protocol/textbytes.h"

#include <QCommandLineParser>

namespace {

QList<QCommandLineOption> CommandLineOptionSet()
{
    return LineOptionSet()
           + QList<QCommandLineOption>{
               QCommandLineOption(QStringLiteral("port"), {}, QStringLiteral("DEVICE")),
               QCommandLineOption(QStringLiteral("speed"), {}, QStringLiteral("BPS")),
               QCommandLineOption(QStringLiteral("ini"), {}, QStringLiteral("FILE")),
               QCommandLineOption(QStringLiteral("dry-run")),
               QCommandLineOption(QStringLiteral("direct")),
               QCommandLineOption(QStringLiteral("follow-speed")),
               QCommandLineOption(QStringLiteral("interval"), {}, QStringLiteral("SECONDS")),
               QCommandLineOption(QStringLiteral("count"), {}, QStringLiteral("N")),
               QCommandLineOption(QStringList{QStringLiteral("V"), QStringLiteral("version")})};
}

// --interval (0.1 s to an hour) and --count (a whole number from 1).
bool TakeWatchOptions(const QCommandLineParser &parser, CtlOptions &options, QString *error)
{
    if (parser.isSet(QStringLiteral("interval"))) {
        const QString text = parser.value(QStringLiteral("interval"));
        const auto seconds = DecimalNumber(text);
        if (!seconds || *seconds < 0.1 || *seconds > 3600) {
            *error = QStringLiteral("--interval %1 is not a number of seconds from 0.1 to 3600")
                         .arg(Shown(text));
            return false;
        }
        options.intervalSeconds = *seconds;
    }
    if (parser.isSet(QStringLiteral("count"))) {
        const QString text = parser.value(QStringLiteral("count")).trimmed();
        bool ok = !text.startsWith(u'+');
        options.count = ok ? text.toInt(&ok) : 0;
        if (!ok || options.count < 1) {
            *error =
                QStringLiteral("--count %1 is not a whole number of polls from 1").arg(Shown(text));
            return false;
        }
    }
    return true;
}

// The options that choose the port; no value, with *error set, for a bad one.
bool TakePortOptions(const QCommandLineParser &parser, CtlOptions &options, QString *error)
{
    for (const char *name : {"port", "ini"}) {
        if (parser.isSet(QLatin1String(name)) && parser.value(QLatin1String(name)).isEmpty()) {
            *error = QStringLiteral("--%1 needs a value").arg(QLatin1String(name));
            return false;
        }
    }
    options.port = parser.value(QStringLiteral("port"));
    options.iniFile = parser.value(QStringLiteral("ini"));
    options.speed = parser.value(QStringLiteral("speed"));
    if (parser.isSet(QStringLiteral("speed")) && options.speed != u"9600"
        && options.speed != u"19200") {
        *error = QStringLiteral("--speed %1 is not 9600 or 19200").arg(Shown(options.speed));
        return false;
    }
    options.dryRun = parser.isSet(QStringLiteral("dry-run"));
    options.direct = parser.isSet(QStringLiteral("direct"));
    options.version = parser.isSet(QStringLiteral("version"));
    options.followSpeed = parser.isSet(QStringLiteral("follow-speed"));
    for (const char *name : {"follow-speed", "interval", "count"}) {
        if (parser.isSet(QLatin1String(name)))
            options.commandOptions << QStringLiteral("--") + QLatin1String(name);
    }
    return TakeWatchOptions(parser, options, error);
}

} // namespace

std::optional<CtlOptions> ParseCommandLine(const QStringList &args, QString *error)
{
    QCommandLineParser parser;
    const auto sorted = ParseArguments(parser, args, CommandLineOptionSet(), true, error);
    if (!sorted)
        return std::nullopt;
    CtlOptions options;
    const auto line = TakeLineOptions(parser, LineOptions(), error);
    if (!line || !TakePortOptions(parser, options, error))
        return std::nullopt;
    options.line = *line;
    options.line.words = sorted->words;
    options.fromInput = sorted->dash;
    return options;
}
