#pragma once

#include <QString>
#include <QStringList>

// The topics of one board: its own under vantor/<id>/, and those of its
// groups under vantor/group/<name>/, which reach every board of the group.
//   .../line1/set, .../backlight/set, ...  a command topic with its payload
//   .../command                            a line of the line language
//   vantor/<id>/result                     the answers and the errors
//   vantor/<id>/<state>                    what was last set, and the readings
//   vantor/<id>/availability               online or offline
class BridgeTopics
{
public:
    BridgeTopics(const QString &id, const QStringList &groups);

    QString id() const { return m_id; }
    // vantor/<id>/<name>.
    QString topic(const QString &name) const;
    // What the bridge subscribes to: the command topics of the board and of its groups.
    QStringList subscriptions() const;
    // Every retained topic the bridge may publish for the board: what was
    // set, the readings, the availability.
    QStringList retainedTopics() const;
    // The command a message's topic names, without the board's or the
    // group's part ("line1/set", "command"); empty for any other topic.
    QString commandOf(const QString &topic) const;

private:
    QStringList bases() const;

    QString m_id;
    QStringList m_groups;
};
