#include "protocol/customchars.h"

QByteArray CustomCharsCommand(const CustomCharSet &chars)
{
    QByteArray bytes = Cmd::command(Cmd::DefineCustomChar);
    for (const CharRows &rows : chars) {
        for (const quint8 row : rows)
            bytes.append(char(row));
    }
    return bytes;
}

QByteArray ShowCustomCharCommand(int code)
{
    return QByteArray(1, char(code));
}
