#include "protocol/commands.h"

namespace Cmd {

QByteArray command(Code code)
{
    QByteArray bytes;
    bytes.append(char(Prefix));
    bytes.append(char(code));
    return bytes;
}

QByteArray command(Code code, quint8 parameter)
{
    return command(code).append(char(parameter));
}

QByteArray command(Code code, quint8 first, quint8 second)
{
    return command(code, first).append(char(second));
}

QByteArray control(Control code)
{
    return QByteArray(1, char(code));
}

QByteArray defineScreen(int screen)
{
    QByteArray bytes;
    bytes.append(char(Prefix));
    bytes.append(char(DefineStartupScreen + screen));
    return bytes;
}

QByteArray deviceBaud(qint32 bitsPerSecond)
{
    switch (bitsPerSecond) {
    case 9600: return command(SetDeviceBaud9600);
    case 19200: return command(SetDeviceBaud19200);
    default: return {};
    }
}

} // namespace Cmd
