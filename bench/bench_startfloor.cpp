// The floor for bench_startup: a bare Qt window of the panel's size with a
// menu bar and one open serial port, and nothing else.
//   bench_startfloor <serial device>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QSerialPort>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    for (const char *title : {"Communication", "Baud Rate", "Configuration"})
        window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
    auto *client = new QWidget(&window);
    client->setFixedSize(507, 400); // the panel's client area
    window.setCentralWidget(client);
    QSerialPort port(app.arguments().value(1));
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(port.portName()));
        return 2;
    }
    port.setBaudRate(QSerialPort::Baud9600);
    window.show();
    return app.exec();
}
