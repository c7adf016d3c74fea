#include "protocol/bytetext.h"

#include <QByteArray>

QString HexText(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.toByteArray().toHex(' ').toUpper());
}

QString QuotedText(QByteArrayView bytes)
{
    QString text = QStringLiteral("\"");
    for (const char c : bytes) {
        const auto byte = quint8(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"')
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x")
                    + QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    }
    return text + QLatin1Char('"');
}
