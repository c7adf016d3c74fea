#pragma once

#include <QString>
#include <optional>

class QSerialPort;

// A serial settings text such as "9600,n,8,1": speed, parity (n, e, o, m, s),
// data bits (5 to 8) and stop bits (1, 1.5 or 2).
struct SerialSettings
{
    enum class Parity
    {
        None,
        Even,
        Odd,
        Mark,
        Space
    };
    enum class StopBits
    {
        One,
        OneAndHalf,
        Two
    };

    qint32 baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    // No value when the text is not a settings text.
    static std::optional<SerialSettings> parse(const QString &text);
    // The settings as the operator reads them: "9600 bit/s 8N1".
    QString summary() const;
    void applyTo(QSerialPort &port) const;
};

inline const QString Settings9600 = QStringLiteral("9600,n,8,1");
inline const QString Settings19200 = QStringLiteral("19200,n,8,1");
