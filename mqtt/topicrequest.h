#pragma once

#include "protocol/line/linecommand.h"
#include "protocol/line/lineoptions.h"
#include "protocol/line/lineresult.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// A retained state message: vantor/<id>/<name> and its payload.
struct StateValue
{
    QString name;
    QByteArray payload;

    friend bool operator==(const StateValue &a, const StateValue &b)
    {
        return a.name == b.name && a.payload == b.payload;
    }
};

// What a message on a command topic asks for, checked and built before
// anything goes on the wire.
struct TopicRequest
{
    static constexpr int LongestPayload = 4096;

    QString topic;       // the command topic: "line1/set", "command"
    LineCommand command; // the board's command; for an output, made by forOutputs()
    int timeoutMs = LineOptions::DefaultTimeoutMs;
    bool json = false; // .../command answers in JSON
    // .../command answered without the board (help, an empty line).
    std::optional<LineAnswer> answer;
    // What the board was told, published retained once it has taken it.
    QList<StateValue> states;
    quint8 outputBit = 0; // out1/set .. out3/set: the output's bit, on or off
    bool outputOn = false;

    // A display or line update: a newer one of the same topic makes it moot.
    bool supersedable() const;
    // The line language's .../command: never dropped.
    bool isLine() const { return topic == u"command"; }
    // An output request sets one bit of the three; the board takes all three
    // at once, so the command carries the other bits as they stand.
    quint8 outputsAfter(quint8 outputs) const;
    LineCommand forOutputs(quint8 outputs) const;
};

// The request a payload on a command topic (as BridgeTopics::commandOf gives
// it) makes, checked as vantorctl checks its arguments: texts are UTF-8, at
// most 16 characters of Latin-1 the text rule lets through; numbers are
// whole and in range; ON and OFF in any case; a payload over
// LongestPayload bytes is refused unread. No value, with *error saying
// which topic and why, for a payload that cannot be carried out.
std::optional<TopicRequest> ReadTopicRequest(const QString &topic, const QByteArray &payload,
                                             QString *error);

// The retained readings a read's reply gives: voltage (V) and current (mA)
// as the panel's read-out shows their value, inputs as a number and in1
// to in8 as ON or OFF.
QList<StateValue> ReadingStates(ReadKind kind, const QByteArray &reply);
