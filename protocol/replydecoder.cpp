#include "protocol/replydecoder.h"

#include "protocol/readouts.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QString ReplyText(ReadKind kind, const QByteArray &reply)
{
    const QString shown = ReadoutText(kind, reply).value_or(QString());
    if (kind == ReadKind::Inputs)
        return shown;
    const auto count = AnalogCount(reply);
    return count ? u"count %1, %2"_s.arg(*count).arg(shown) : QString();
}

void ReplyDecoder::expect(ReadKind kind)
{
    m_kind = kind;
    m_reply.clear();
}

QString ReplyDecoder::describe(QByteArrayView received)
{
    QStringList parts;
    qsizetype used = 0;
    if (m_kind != ReadKind::None)
        parts << takeReply(received, &used);
    if (used < received.size())
        parts << u"not asked for"_s;
    return parts.join(u"; "_s);
}

// Takes as much of the expected reply as the piece holds.
QString ReplyDecoder::takeReply(QByteArrayView received, qsizetype *used)
{
    const int length = ReplyLength(m_kind);
    *used = std::min<qsizetype>(length - m_reply.size(), received.size());
    m_reply += received.first(*used);
    const QString name = QString::fromLatin1(ReadName(m_kind));
    if (m_reply.size() < length)
        return u"part of the reply to %1 (%2 of %3 bytes)"_s.arg(name)
            .arg(m_reply.size())
            .arg(length);
    const QString text = ReplyText(m_kind, m_reply);
    expect(ReadKind::None);
    return u"reply to %1: %2"_s.arg(name, text);
}
