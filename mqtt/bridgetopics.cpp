#include "mqtt/bridgetopics.h"

BridgeTopics::BridgeTopics(const QString &id, const QStringList &groups)
    : m_id(id), m_groups(groups)
{
}

QStringList BridgeTopics::bases() const
{
    QStringList bases{QStringLiteral("vantor/") + m_id};
    for (const QString &group : m_groups)
        bases << QStringLiteral("vantor/group/") + group;
    return bases;
}

QString BridgeTopics::topic(const QString &name) const
{
    return QStringLiteral("vantor/%1/%2").arg(m_id, name);
}

QStringList BridgeTopics::subscriptions() const
{
    QStringList patterns;
    for (const QString &base : bases())
        patterns << base + QStringLiteral("/+/set") << base + QStringLiteral("/command");
    return patterns;
}

QStringList BridgeTopics::retainedTopics() const
{
    QStringList names{"line1", "line2",  "backlight", "brightness", "out1",   "out2",
                      "out3",  "screen", "voltage",   "current",    "inputs", "availability"};
    for (int in = 1; in <= 8; ++in)
        names << QStringLiteral("in%1").arg(in);
    for (QString &name : names)
        name = topic(name);
    return names;
}

QString BridgeTopics::commandOf(const QString &topic) const
{
    for (const QString &base : bases()) {
        if (!topic.startsWith(base + u'/'))
            continue;
        const QString rest = topic.mid(base.size() + 1);
        const QStringList levels = rest.split(u'/');
        const bool setTopic = levels.size() == 2 && levels.at(1) == u"set";
        if (rest == u"command" || setTopic)
            return rest;
    }
    return {};
}
