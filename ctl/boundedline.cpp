#include "ctl/boundedline.h"

#include <QByteArray>

std::optional<BoundedLineReader::Line> BoundedLineReader::next()
{
    QByteArray bytes;
    bool tooLong = false;
    bool any = false;
    for (int c = std::fgetc(m_from); c != EOF; c = std::fgetc(m_from)) {
        any = true;
        if (c == '\n')
            break;
        if (bytes.size() < MaxBytes)
            bytes.append(char(c));
        else
            tooLong = true;
    }
    if (!any)
        return std::nullopt;
    return Line{tooLong ? QString() : QString::fromUtf8(bytes), tooLong};
}
