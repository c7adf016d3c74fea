#pragma once

#include <QSerialPort>
#include <QString>
#include <optional>

// A serial settings text such as "9600,n,8,1": speed, parity (n, e, o, m, s),
// data bits (5 to 8) and stop bits (1, 1.5 or 2).
struct SerialSettings
{
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    // No value when the text is not a settings text.
    static std::optional<SerialSettings> parse(const QString &text);
    void applyTo(QSerialPort &port) const;
};

inline const QString Settings9600 = QStringLiteral("9600,n,8,1");
inline const QString Settings19200 = QStringLiteral("19200,n,8,1");
