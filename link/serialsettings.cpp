#include "link/serialsettings.h"

#include <QList>
#include <QSerialPort>
#include <QStringView>
#include <algorithm>

namespace {

// The blanks a settings text may have around each of its fields.
bool IsAsciiBlank(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

QStringView TrimmedField(QStringView field)
{
    while (!field.isEmpty() && IsAsciiBlank(field.front()))
        field = field.mid(1);
    while (!field.isEmpty() && IsAsciiBlank(field.back()))
        field.chop(1);
    return field;
}

bool IsSpeed(QStringView field)
{
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return !field.isEmpty() && field.size() <= 7 && std::all_of(field.begin(), field.end(), digit);
}

bool IsParityLetter(QStringView field)
{
    const QChar c = field.isEmpty() ? QChar() : field.front();
    return field.size() == 1 && ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'));
}

bool IsDataBits(QStringView field)
{
    return field.size() == 1 && field.front() >= u'5' && field.front() <= u'8';
}

bool IsStopBits(QStringView field)
{
    return field == u"1" || field == u"1.5" || field == u"2";
}

// The four fields of "speed,parity,data,stop" without the blanks around them,
// when each has its form: 1 to 7 digits, one letter, 5 to 8, and 1, 1.5 or 2.
// Checked by hand rather than with a regular expression, whose compiler would
// cost the panel's start-up about half a megabyte and a few tenths of a millisecond.
std::optional<QList<QStringView>> SettingsFields(QStringView text)
{
    QList<QStringView> fields;
    for (const QStringView field : text.tokenize(u','))
        fields << TrimmedField(field);
    if (fields.size() != 4 || !IsSpeed(fields[0]) || !IsParityLetter(fields[1])
        || !IsDataBits(fields[2]) || !IsStopBits(fields[3]))
        return std::nullopt;
    return fields;
}

std::optional<SerialSettings::Parity> parityOf(QChar letter)
{
    switch (letter.toLower().unicode()) {
    case 'n': return SerialSettings::Parity::None;
    case 'e': return SerialSettings::Parity::Even;
    case 'o': return SerialSettings::Parity::Odd;
    case 'm': return SerialSettings::Parity::Mark;
    case 's': return SerialSettings::Parity::Space;
    default: return std::nullopt;
    }
}

QSerialPort::Parity portParity(SerialSettings::Parity parity)
{
    switch (parity) {
    case SerialSettings::Parity::None: return QSerialPort::NoParity;
    case SerialSettings::Parity::Even: return QSerialPort::EvenParity;
    case SerialSettings::Parity::Odd: return QSerialPort::OddParity;
    case SerialSettings::Parity::Mark: return QSerialPort::MarkParity;
    case SerialSettings::Parity::Space: return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits portStopBits(SerialSettings::StopBits stopBits)
{
    switch (stopBits) {
    case SerialSettings::StopBits::One: return QSerialPort::OneStop;
    case SerialSettings::StopBits::OneAndHalf: return QSerialPort::OneAndHalfStop;
    case SerialSettings::StopBits::Two: return QSerialPort::TwoStop;
    }
    return QSerialPort::OneStop;
}

} // namespace

std::optional<SerialSettings> SerialSettings::parse(const QString &text)
{
    const auto fields = SettingsFields(text);
    if (!fields)
        return std::nullopt;
    const auto parity = parityOf(fields->at(1).front());
    const qint32 baud = fields->at(0).toInt();
    if (!parity || baud <= 0)
        return std::nullopt;
    SerialSettings settings;
    settings.baudRate = baud;
    settings.parity = *parity;
    settings.dataBits = fields->at(2).toInt();
    const QStringView stop = fields->at(3);
    settings.stopBits = stop == u"1"     ? StopBits::One
                        : stop == u"1.5" ? StopBits::OneAndHalf
                                         : StopBits::Two;
    return settings;
}

QString SerialSettings::summary() const
{
    static constexpr char ParityLetters[] = "NEOMS";
    const QString stop = stopBits == StopBits::One          ? QStringLiteral("1")
                         : stopBits == StopBits::OneAndHalf ? QStringLiteral("1.5")
                                                            : QStringLiteral("2");
    return QStringLiteral("%1 bit/s %2%3%4")
        .arg(baudRate)
        .arg(dataBits)
        .arg(QLatin1Char(ParityLetters[int(parity)]))
        .arg(stop);
}

void SerialSettings::applyTo(QSerialPort &port) const
{
    port.setBaudRate(baudRate);
    port.setParity(portParity(parity));
    port.setDataBits(QSerialPort::DataBits(dataBits));
    port.setStopBits(portStopBits(stopBits));
    port.setFlowControl(QSerialPort::NoFlowControl);
}
