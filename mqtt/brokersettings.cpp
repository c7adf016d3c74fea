#include "mqtt/brokersettings.h"

#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QUrl>

namespace {

constexpr qint64 LongestPassword = 4096;

std::optional<BrokerSettings> ReadUrl(const QString &text, QString *error)
{
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    BrokerSettings broker;
    broker.host = url.host();
    broker.tls = scheme == u"mqtts";
    broker.port = url.port(broker.tls ? BrokerSettings::TlsPort : BrokerSettings::PlainPort);
    if (!url.isValid() || (scheme != u"mqtt" && !broker.tls) || broker.host.isEmpty()
        || (!url.path().isEmpty() && url.path() != u"/") || url.hasQuery() || url.hasFragment()) {
        *error =
            QStringLiteral("--mqtt %1 is not mqtt://HOST[:PORT] or mqtts://HOST[:PORT]").arg(text);
        return std::nullopt;
    }
    if (!url.userInfo().isEmpty()) {
        *error = QStringLiteral("--mqtt: no user or password in the URL; --mqtt-user names the "
                                "user, --mqtt-password-file or VANTOR_MQTT_PASSWORD gives the "
                                "password");
        return std::nullopt;
    }
    return broker;
}

// The first line of the file, without its line end.
std::optional<QString> ReadPasswordFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > LongestPassword) {
        *error = QStringLiteral("--mqtt-password-file %1: %2")
                     .arg(path,
                          file.isOpen() ? QStringLiteral("longer than 4 KiB") : file.errorString());
        return std::nullopt;
    }
    const QByteArray line = file.readLine(LongestPassword + 1);
    return QString::fromUtf8(line).remove(u'\n').remove(u'\r');
}

bool ReadPassword(const MqttOptions &options, const QProcessEnvironment &environment,
                  BrokerSettings &broker, QString *error)
{
    if (!options.passwordFile.isEmpty()) {
        const auto password = ReadPasswordFile(options.passwordFile, error);
        if (!password)
            return false;
        broker.password = *password;
    } else {
        broker.password = environment.value(QStringLiteral("VANTOR_MQTT_PASSWORD"));
    }
    if (!broker.password.isEmpty() && broker.user.isEmpty()) {
        *error = QStringLiteral("a password needs a user: --mqtt-user NAME");
        return false;
    }
    return true;
}

bool ReadTlsFiles(const MqttOptions &options, BrokerSettings &broker, QString *error)
{
    const bool anyFile =
        !options.caFile.isEmpty() || !options.certFile.isEmpty() || !options.keyFile.isEmpty();
    if (anyFile && !broker.tls)
        *error = QStringLiteral("--mqtt-cafile, --mqtt-cert and --mqtt-key need an mqtts:// URL");
    else if (options.certFile.isEmpty() != options.keyFile.isEmpty())
        *error = QStringLiteral("--mqtt-cert and --mqtt-key go together");
    for (const QString &file : {options.caFile, options.certFile, options.keyFile}) {
        if (error->isEmpty() && !file.isEmpty() && !QFileInfo(file).isReadable())
            *error = QStringLiteral("%1 cannot be read").arg(file);
    }
    if (!error->isEmpty())
        return false;
    if (broker.tls)
        broker.tlsFiles = {options.caFile,
                           options.caFile.isEmpty() ? BrokerSettings::systemCaPath() : QString(),
                           options.certFile, options.keyFile};
    return true;
}

} // namespace

QString BrokerSettings::url() const
{
    const QString host = this->host.contains(u':') ? u'[' + this->host + u']' : this->host;
    return QStringLiteral("%1://%2:%3").arg(tls ? "mqtts" : "mqtt", host).arg(port);
}

bool IsLoopbackHost(const QString &host)
{
    if (host.compare(u"localhost", Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

std::optional<BrokerSettings> ReadBrokerSettings(const MqttOptions &options,
                                                 const QProcessEnvironment &environment,
                                                 QString *error)
{
    auto broker = ReadUrl(options.url, error);
    if (!broker)
        return std::nullopt;
    broker->user = options.user;
    if (!ReadPassword(options, environment, *broker, error)
        || !ReadTlsFiles(options, *broker, error))
        return std::nullopt;
    if (!broker->password.isEmpty() && !broker->tls && !IsLoopbackHost(broker->host)
        && !options.insecure) {
        *error = QStringLiteral("the password would go to %1 unencrypted: use mqtts:// (or "
                                "--mqtt-insecure on a network you trust)")
                     .arg(broker->host);
        return std::nullopt;
    }
    return broker;
}
