#include "mqtt/bridgeconfig.h"

#include "link/serialdevices.h"
#include "protocol/line/lineargs.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr int LongestName = 64;

bool IsNameChar(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
           || c == u'_' || c == u'-';
}

bool IsName(const QString &text)
{
    return !text.isEmpty() && text.size() <= LongestName
           && std::all_of(text.begin(), text.end(), IsNameChar);
}

bool CheckName(const QString &option, const QString &name, QString *error)
{
    if (IsName(name))
        return true;
    *error = QStringLiteral("%1 %2 is not 1 to %3 letters, digits, _ or -")
                 .arg(option, QuotedChars(name))
                 .arg(LongestName);
    return false;
}

bool CheckPrefix(const QString &prefix, QString *error)
{
    const QStringList levels = prefix.split(u'/');
    if (std::all_of(levels.begin(), levels.end(), IsName))
        return true;
    *error = QStringLiteral("--discovery-prefix %1 is not topic levels of letters, digits, _ or "
                            "- separated by /")
                 .arg(QuotedChars(prefix));
    return false;
}

// The serial number in a by-id name: what follows the last "_" before "-if".
QString SerialFromById(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("_([^_]+)-if[0-9]+(-port[0-9]+)?$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

QString BoardIdFor(const QString &device, const QString &byIdFolder)
{
    const QString stable = StablePath(device, byIdFolder);
    const QString serial =
        QFileInfo(stable).absolutePath() == QFileInfo(byIdFolder).absoluteFilePath()
            ? SerialFromById(QFileInfo(stable).fileName())
            : QString();
    QString id = serial.isEmpty() ? QFileInfo(device).fileName() : serial;
    for (QChar &c : id) {
        if (!IsNameChar(c))
            c = u'_';
    }
    return id.left(LongestName);
}

std::optional<BridgeConfig> MakeBridgeConfig(const MqttOptions &options, const QString &device,
                                             const QProcessEnvironment &environment, QString *error)
{
    BridgeConfig config;
    config.id = options.id.isEmpty() ? BoardIdFor(device) : options.id;
    if (!CheckName(options.id.isEmpty() ? QStringLiteral("the id from the device")
                                        : QStringLiteral("--id"),
                   config.id, error))
        return std::nullopt;
    for (const QString &group : options.groups) {
        if (!CheckName(QStringLiteral("--group"), group, error))
            return std::nullopt;
    }
    if (!CheckPrefix(options.discoveryPrefix, error))
        return std::nullopt;
    const auto broker = ReadBrokerSettings(options, environment, error);
    if (!broker)
        return std::nullopt;
    config.broker = *broker;
    config.groups = options.groups;
    config.groups.removeDuplicates();
    config.pollSeconds = options.pollSeconds;
    config.discoveryPrefix = options.discoveryPrefix;
    config.discovery = options.discovery;
    config.forget = options.forget;
    return config;
}
