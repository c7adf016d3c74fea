#include "link/serialsettings.h"

#include <QRegularExpression>

namespace {

std::optional<QSerialPort::Parity> parityOf(QChar letter)
{
    switch (letter.toLower().unicode()) {
    case 'n': return QSerialPort::NoParity;
    case 'e': return QSerialPort::EvenParity;
    case 'o': return QSerialPort::OddParity;
    case 'm': return QSerialPort::MarkParity;
    case 's': return QSerialPort::SpaceParity;
    default: return std::nullopt;
    }
}

} // namespace

std::optional<SerialSettings> SerialSettings::parse(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(\d{1,7})\s*,\s*([a-zA-Z])\s*,\s*([5-8])\s*,\s*(1|1\.5|2)\s*$)"));
    const auto match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto parity = parityOf(match.captured(2).at(0));
    const qint32 baud = match.captured(1).toInt();
    if (!parity || baud <= 0)
        return std::nullopt;
    SerialSettings settings;
    settings.baudRate = baud;
    settings.parity = *parity;
    settings.dataBits = QSerialPort::DataBits(match.captured(3).toInt());
    const QString stop = match.captured(4);
    settings.stopBits = stop == QLatin1String("1")     ? QSerialPort::OneStop
                        : stop == QLatin1String("1.5") ? QSerialPort::OneAndHalfStop
                                                       : QSerialPort::TwoStop;
    return settings;
}

void SerialSettings::applyTo(QSerialPort &port) const
{
    port.setBaudRate(baudRate);
    port.setParity(parity);
    port.setDataBits(dataBits);
    port.setStopBits(stopBits);
    port.setFlowControl(QSerialPort::NoFlowControl);
}
