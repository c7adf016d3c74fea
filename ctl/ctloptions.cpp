#include "ctl/ctloptions.h"

#include "protocol/line/lineargs.h"

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
               QCommandLineOption(QStringList{QStringLiteral("V"), QStringLiteral("version")})};
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
    return true;
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
