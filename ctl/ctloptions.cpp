#include "ctl/ctloptions.h"

#include "protocol/line/lineargs.h"
#include "protocol/textbytes.h"

#include <QCommandLineParser>

namespace {

constexpr int LongestPollSeconds = 24 * 3600;

// The options of vantorctl serve's bridge to an MQTT broker: name and value name.
const struct
{
    const char *name;
    const char *value; // empty for a switch
} MqttOptionNames[] = {
    {"mqtt", "URL"},
    {"id", "NAME"},
    {"group", "NAME"},
    {"poll", "SECONDS"},
    {"discovery-prefix", "PREFIX"},
    {"no-discovery", ""},
    {"forget", ""},
    {"mqtt-user", "USER"},
    {"mqtt-password-file", "FILE"},
    {"mqtt-cafile", "FILE"},
    {"mqtt-cert", "FILE"},
    {"mqtt-key", "FILE"},
    {"mqtt-insecure", ""},
};

QList<QCommandLineOption> CommandLineOptionSet()
{
    QList<QCommandLineOption> mqtt;
    for (const auto &option : MqttOptionNames)
        mqtt << QCommandLineOption(QLatin1String(option.name), {}, QLatin1String(option.value));
    return LineOptionSet() + mqtt
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
                         .arg(QuotedChars(text));
            return false;
        }
        options.intervalSeconds = *seconds;
    }
    if (parser.isSet(QStringLiteral("count"))) {
        const QString text = parser.value(QStringLiteral("count")).trimmed();
        bool ok = !text.startsWith(u'+');
        options.count = ok ? text.toInt(&ok) : 0;
        if (!ok || options.count < 1) {
            *error = QStringLiteral("--count %1 is not a whole number of polls from 1")
                         .arg(QuotedChars(text));
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
        *error = QStringLiteral("--speed %1 is not 9600 or 19200").arg(QuotedChars(options.speed));
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

// --poll SECONDS; false, with *error set, for a bad value.
bool TakePoll(const QCommandLineParser &parser, MqttOptions &mqtt, QString *error)
{
    if (!parser.isSet(QStringLiteral("poll")))
        return true;
    const QString poll = parser.value(QStringLiteral("poll"));
    bool ok = false;
    mqtt.pollSeconds = poll.trimmed().toInt(&ok);
    if (ok && mqtt.pollSeconds >= 0 && mqtt.pollSeconds <= LongestPollSeconds)
        return true;
    *error = QStringLiteral("--poll %1 is not a whole number of seconds from 0 to %2")
                 .arg(QuotedChars(poll))
                 .arg(LongestPollSeconds);
    return false;
}

// What vantorctl serve's bridge is told; false, with *error set, for a
// missing value or a bad --poll. The rest is checked by the bridge itself.
bool TakeMqttOptions(const QCommandLineParser &parser, CtlOptions &options, QString *error)
{
    for (const auto &option : MqttOptionNames) {
        const QString name = QLatin1String(option.name);
        if (!parser.isSet(name))
            continue;
        options.commandOptions << QStringLiteral("--") + name;
        if (*option.value && parser.values(name).contains(QString())) {
            *error = QStringLiteral("--%1 needs a value").arg(name);
            return false;
        }
    }
    MqttOptions &mqtt = options.mqtt;
    mqtt.url = parser.value(QStringLiteral("mqtt"));
    mqtt.id = parser.value(QStringLiteral("id"));
    mqtt.groups = parser.values(QStringLiteral("group"));
    mqtt.discoveryPrefix = parser.isSet(QStringLiteral("discovery-prefix"))
                               ? parser.value(QStringLiteral("discovery-prefix"))
                               : mqtt.discoveryPrefix;
    mqtt.discovery = !parser.isSet(QStringLiteral("no-discovery"));
    mqtt.forget = parser.isSet(QStringLiteral("forget"));
    mqtt.user = parser.value(QStringLiteral("mqtt-user"));
    mqtt.passwordFile = parser.value(QStringLiteral("mqtt-password-file"));
    mqtt.caFile = parser.value(QStringLiteral("mqtt-cafile"));
    mqtt.certFile = parser.value(QStringLiteral("mqtt-cert"));
    mqtt.keyFile = parser.value(QStringLiteral("mqtt-key"));
    mqtt.insecure = parser.isSet(QStringLiteral("mqtt-insecure"));
    return TakePoll(parser, mqtt, error);
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
    if (!line || !TakePortOptions(parser, options, error)
        || !TakeMqttOptions(parser, options, error))
        return std::nullopt;
    options.line = *line;
    options.line.words = sorted->words;
    options.fromInput = sorted->dash;
    return options;
}
