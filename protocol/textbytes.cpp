#include "protocol/textbytes.h"

#include <QRegularExpression>
#include <cmath>

std::optional<quint8> TextToByte(const QString &text)
{
    static const QRegularExpression decimal(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)$)"));
    const QString trimmed = text.trimmed();
    if (!decimal.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok); // C locale: always a full stop
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // default rounding: halves to even
    if (rounded < 0.0 || rounded > 255.0)
        return std::nullopt;
    return quint8(rounded);
}

QByteArray TextToWire(const QString &text)
{
    return text.toLatin1();
}

bool IsWireText(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}
