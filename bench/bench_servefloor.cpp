// Child of bench_mqttone: the least a Qt program that owns a serial port
// holds in memory: an application object and one QSerialPort open at 9600
// bit/s, its event loop running until it is ended. bench_servefloor DEVICE
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
    return app.exec();
}
