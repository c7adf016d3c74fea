#pragma once

#include "mqtt/bridgetopics.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A retained message of the discovery convention: a config topic and its JSON.
struct DiscoveryMessage
{
    QString topic;      // <prefix>/<component>/<id>/<object>/config
    QByteArray payload; // one JSON object; empty to remove the entity
};

// The board as one device of Home Assistant's MQTT discovery: two text
// entities for the lines, a light for the backlight with its brightness,
// three switches for the outputs, sensors for voltage (V) and current (mA),
// eight binary sensors for the inputs, a select for the user screen and a
// button that clears the display. Each has its unique_id, the device (its
// identifiers, name, model and the bridge's version), its command and state
// topics and the board's availability topic.
QList<DiscoveryMessage> DiscoveryMessages(const QString &prefix, const BridgeTopics &topics,
                                          const QString &version);
