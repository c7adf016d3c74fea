// Child of bench_ctl: the least a Qt program does for `vantorctl text a b`:
// an application object, one QSerialPort opened at 9600 bit/s, the bytes
// written and flushed. bench_ctlfloor DEVICE
#include <QCoreApplication>
#include <QSerialPort>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    if (!port.open(QIODevice::ReadWrite) || !port.setBaudRate(9600))
        return 3;
    port.write("a\x0c"
               "b");
    return port.waitForBytesWritten(1000) ? 0 : 1;
}
