#include "mqtt/topicrequest.h"

#include "protocol/commands.h"
#include "protocol/line/lineargs.h"
#include "protocol/line/linerequest.h"
#include "protocol/textframes.h"

#include <QStringDecoder>

namespace {

// Reads a payload into the request; which: the row or the output a topic names.
using Reader = bool (*)(TopicRequest &request, int which, const QString &text, QString *error);

QByteArray OnOff(bool on)
{
    return on ? QByteArrayLiteral("ON") : QByteArrayLiteral("OFF");
}

std::optional<bool> ReadOnOff(const QString &text, QString *error)
{
    const auto chosen = ChoiceArgument(QStringLiteral("STATE"), text,
                                       {QStringLiteral("off"), QStringLiteral("on")}, error);
    return chosen ? std::optional<bool>(*chosen == 1) : std::nullopt;
}

// A line of the display from its start, filled with blanks to its end so
// that nothing of the text before stays.
bool ReadLine(TopicRequest &request, int row, const QString &text, QString *error)
{
    const QString name = QStringLiteral("LINE%1").arg(row + 1);
    const auto line = DisplayText(name, text, DisplayLineLength, TextPlace::Free, false, error);
    if (!line)
        return false;
    request.command =
        LineCommand::of({Cmd::command(Cmd::SetCursorPosition, quint8(row), 0),
                         TextToWire(line->leftJustified(DisplayLineLength), TextPlace::Free)});
    request.states = {{name.toLower(), line->toUtf8()}};
    return true;
}

// Two lines separated by a newline: the display cleared, then both from home.
bool ReadDisplay(TopicRequest &request, int, const QString &text, QString *error)
{
    const QStringList lines = text.split(u'\n');
    if (lines.size() > 2) {
        *error = QStringLiteral("%1 lines; the display takes two, separated by a newline")
                     .arg(lines.size());
        return false;
    }
    const auto first = DisplayText(QStringLiteral("LINE1"), lines.at(0), DisplayLineLength,
                                   TextPlace::Free, false, error);
    const auto second = first ? DisplayText(QStringLiteral("LINE2"), lines.value(1),
                                            DisplayLineLength, TextPlace::Free, false, error)
                              : std::nullopt;
    if (!second)
        return false;
    const TwoLineText wire = DisplayLinesText(*first, *second);
    request.command = LineCommand::of({Cmd::control(Cmd::ClearDisplay), wire.first, wire.second});
    request.states = {{QStringLiteral("line1"), first->toUtf8()},
                      {QStringLiteral("line2"), second->toUtf8()}};
    return true;
}

bool ReadBacklight(TopicRequest &request, int, const QString &text, QString *error)
{
    const auto on = ReadOnOff(text, error);
    if (!on)
        return false;
    request.command = LineCommand::of({Cmd::command(*on ? Cmd::BacklightOn : Cmd::BacklightOff)});
    request.states = {{QStringLiteral("backlight"), OnOff(*on)}};
    return true;
}

// The range of the panel's brightness slider.
bool ReadBrightness(TopicRequest &request, int, const QString &text, QString *error)
{
    const auto level = WholeNumber(QStringLiteral("LEVEL"), text, 50, 250, error);
    if (!level)
        return false;
    request.command = LineCommand::of({Cmd::command(Cmd::SetBrightness, *level)});
    request.states = {{QStringLiteral("brightness"), QByteArray::number(*level)}};
    return true;
}

bool ReadScreen(TopicRequest &request, int, const QString &text, QString *error)
{
    const auto screen = WholeNumber(QStringLiteral("N"), text, 1, Cmd::UserScreenCount, error);
    if (!screen)
        return false;
    request.command = LineCommand::of({Cmd::command(Cmd::ShowScreen, *screen)});
    request.states = {{QStringLiteral("screen"), QByteArray::number(*screen)}};
    return true;
}

bool ReadOutput(TopicRequest &request, int output, const QString &text, QString *error)
{
    const auto on = ReadOnOff(text, error);
    if (!on)
        return false;
    request.outputBit = quint8(1 << (output - 1));
    request.outputOn = *on;
    request.states = {{QStringLiteral("out%1").arg(output), OnOff(*on)}};
    return true;
}

// Any line of the line language, read by its one parser.
bool ReadLineCommand(TopicRequest &request, int, const QString &text, QString *error)
{
    const auto line = ParseLine(text, LineOptions(), error);
    if (!line)
        return false;
    request.json = line->options.json;
    request.timeoutMs = line->options.timeoutMs;
    if (line->command)
        request.command = *line->command;
    else
        request.answer = AnswerWithoutBoard(*line);
    return true;
}

const struct
{
    const char *topic;
    Reader read;
    int which;
} Topics[] = {
    {"line1/set", ReadLine, 0},
    {"line2/set", ReadLine, 1},
    {"display/set", ReadDisplay, 0},
    {"backlight/set", ReadBacklight, 0},
    {"brightness/set", ReadBrightness, 0},
    {"out1/set", ReadOutput, 1},
    {"out2/set", ReadOutput, 2},
    {"out3/set", ReadOutput, 3},
    {"screen/set", ReadScreen, 0},
    {"command", ReadLineCommand, 0},
};

std::optional<QString> Utf8Text(const QByteArray &payload)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(payload);
    return decoder.hasError() ? std::nullopt : std::optional<QString>(text);
}

} // namespace

bool TopicRequest::supersedable() const
{
    return topic == u"display/set" || topic == u"line1/set" || topic == u"line2/set";
}

quint8 TopicRequest::outputsAfter(quint8 outputs) const
{
    return outputOn ? quint8(outputs | outputBit) : quint8(outputs & ~outputBit);
}

LineCommand TopicRequest::forOutputs(quint8 outputs) const
{
    return LineCommand::of({Cmd::command(Cmd::SetOutputs, outputsAfter(outputs))});
}

std::optional<TopicRequest> ReadTopicRequest(const QString &topic, const QByteArray &payload,
                                             QString *error)
{
    const auto entry = std::find_if(std::begin(Topics), std::end(Topics),
                                    [&](const auto &e) { return topic == QLatin1String(e.topic); });
    QString reason;
    std::optional<QString> text;
    if (entry == std::end(Topics))
        reason = QStringLiteral("no such command topic");
    else if (payload.size() > TopicRequest::LongestPayload)
        reason = QStringLiteral("the payload has %1 bytes; a message takes at most %2")
                     .arg(payload.size())
                     .arg(TopicRequest::LongestPayload);
    else if (!(text = Utf8Text(payload)))
        reason = QStringLiteral("the payload is not UTF-8 text");
    TopicRequest request;
    request.topic = topic;
    if (reason.isEmpty() && entry->read(request, entry->which, *text, &reason))
        return request;
    // A line of the line language names what is wrong itself, as on the socket.
    *error = request.isLine() && text ? reason : topic + QStringLiteral(": ") + reason;
    return std::nullopt;
}

QList<StateValue> ReadingStates(ReadKind kind, const QByteArray &reply)
{
    const QJsonObject read = ReadResultJson(kind, reply);
    if (kind != ReadKind::Inputs) {
        const QString unit = read.value(u"unit").toString();
        QString value = ReadResultText(kind, reply);
        value.chop(value.endsWith(unit) ? unit.size() : 0);
        return {{read.value(u"kind").toString(), value.toUtf8()}};
    }
    const int inputs = read.value(u"value").toInt();
    QList<StateValue> states{{QStringLiteral("inputs"), QByteArray::number(inputs)}};
    for (int bit = 0; bit < 8; ++bit)
        states.append({QStringLiteral("in%1").arg(bit + 1), OnOff(inputs & (1 << bit))});
    return states;
}
