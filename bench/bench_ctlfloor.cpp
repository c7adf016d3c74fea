// Child of bench_ctl: the least a Qt program does for `vantorctl text a b`:
// an application object, one QSerialPort opened at 9600 bit/s, the bytes
// written and flushed. With --hold, child of bench_mqttone: the least a Qt
// program that owns a port holds in memory, the port kept open and the event
// loop running until the program is ended. bench_ctlfloor DEVICE [--hold]
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
    if (!port.waitForBytesWritten(1000))
        return 1;
    return argc > 2 && QByteArray(argv[2]) == "--hold" ? app.exec() : 0;
}
