#include "mqtt/discovery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

struct Entity
{
    QString component;
    QString object;
    QJsonObject fields; // what its component needs besides the common ones
};

QJsonObject Switchable(const BridgeTopics &topics, const QString &name, const QString &object)
{
    return {{"name", name},
            {"command_topic", topics.topic(object + QStringLiteral("/set"))},
            {"state_topic", topics.topic(object)},
            {"payload_on", "ON"},
            {"payload_off", "OFF"}};
}

// The board takes brightness 50 to 250: Home Assistant's 1 to 200 goes 50 higher.
Entity Backlight(const BridgeTopics &topics)
{
    QJsonObject light =
        Switchable(topics, QStringLiteral("Backlight"), QStringLiteral("backlight"));
    light.insert("brightness_command_topic", topics.topic(QStringLiteral("brightness/set")));
    light.insert("brightness_state_topic", topics.topic(QStringLiteral("brightness")));
    light.insert("brightness_scale", 200);
    light.insert("brightness_command_template", "{{ value + 50 }}");
    light.insert("brightness_value_template", "{{ value | int - 50 }}");
    return {QStringLiteral("light"), QStringLiteral("backlight"), light};
}

Entity Reading(const BridgeTopics &topics, const QString &object, const QString &unit)
{
    const QString name = object.at(0).toUpper() + object.mid(1);
    return {QStringLiteral("sensor"), object,
            QJsonObject{{"name", name},
                        {"state_topic", topics.topic(object)},
                        {"device_class", object},
                        {"unit_of_measurement", unit},
                        {"state_class", "measurement"}}};
}

Entity Screen(const BridgeTopics &topics)
{
    QJsonArray screens;
    for (int screen = 1; screen <= 10; ++screen)
        screens.append(QString::number(screen));
    return {QStringLiteral("select"), QStringLiteral("screen"),
            QJsonObject{{"name", "User screen"},
                        {"command_topic", topics.topic(QStringLiteral("screen/set"))},
                        {"state_topic", topics.topic(QStringLiteral("screen"))},
                        {"options", screens}}};
}

QList<Entity> Entities(const BridgeTopics &topics)
{
    QList<Entity> entities;
    for (const QString &line : {QStringLiteral("line1"), QStringLiteral("line2")}) {
        entities.append({QStringLiteral("text"), line,
                         QJsonObject{{"name", QStringLiteral("Line %1").arg(line.back())},
                                     {"command_topic", topics.topic(line + QStringLiteral("/set"))},
                                     {"state_topic", topics.topic(line)},
                                     {"max", 16}}});
    }
    entities.append(Backlight(topics));
    for (int out = 1; out <= 3; ++out) {
        const QString object = QStringLiteral("out%1").arg(out);
        entities.append({QStringLiteral("switch"), object,
                         Switchable(topics, QStringLiteral("Out%1").arg(out), object)});
    }
    entities.append(Reading(topics, QStringLiteral("voltage"), QStringLiteral("V")));
    entities.append(Reading(topics, QStringLiteral("current"), QStringLiteral("mA")));
    for (int in = 1; in <= 8; ++in) {
        const QString object = QStringLiteral("in%1").arg(in);
        entities.append({QStringLiteral("binary_sensor"), object,
                         QJsonObject{{"name", QStringLiteral("In%1").arg(in)},
                                     {"state_topic", topics.topic(object)},
                                     {"payload_on", "ON"},
                                     {"payload_off", "OFF"}}});
    }
    entities.append(Screen(topics));
    entities.append({QStringLiteral("button"), QStringLiteral("clear"),
                     QJsonObject{{"name", "Clear display"},
                                 {"command_topic", topics.topic(QStringLiteral("command"))},
                                 {"payload_press", "clear"}}});
    return entities;
}

QJsonObject Device(const BridgeTopics &topics, const QString &version)
{
    return {{"identifiers", QJsonArray{QStringLiteral("vantor_") + topics.id()}},
            {"name", QStringLiteral("Vantor board ") + topics.id()},
            {"model", "VantorBoard-compatible display"},
            {"sw_version", version}};
}

} // namespace

QList<DiscoveryMessage> DiscoveryMessages(const QString &prefix, const BridgeTopics &topics,
                                          const QString &version)
{
    const QJsonArray availability{
        QJsonObject{{"topic", topics.topic(QStringLiteral("availability"))},
                    {"payload_available", "online"},
                    {"payload_not_available", "offline"}}};
    QList<DiscoveryMessage> messages;
    for (const Entity &entity : Entities(topics)) {
        QJsonObject config = entity.fields;
        const QString uniqueId = QStringLiteral("vantor_%1_%2").arg(topics.id(), entity.object);
        config.insert("unique_id", uniqueId);
        config.insert("object_id", uniqueId);
        config.insert("availability", availability);
        config.insert("device", Device(topics, version));
        messages.append({QStringLiteral("%1/%2/%3/%4/config")
                             .arg(prefix, entity.component, topics.id(), entity.object),
                         QJsonDocument(config).toJson(QJsonDocument::Compact)});
    }
    return messages;
}
