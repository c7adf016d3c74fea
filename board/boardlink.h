#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The board's end of the serial line: a pseudo-terminal whose device is
// published through a symbolic link, so the panel can open the link as its
// serial port. The link is removed again when the board goes.
class BoardLink : public QObject
{
    Q_OBJECT

public:
    explicit BoardLink(QObject *parent = nullptr);
    ~BoardLink() override;

    // Opens the pseudo-terminal, raw at `baud` bit/s, and points linkPath at
    // its device. An old symbolic link there is replaced; any other file is
    // left alone and the open fails (see errorString()).
    bool open(const QString &linkPath, int baud);
    void close();

    QString devicePath() const { return m_devicePath; }
    QString linkPath() const { return m_linkPath; }
    QString errorString() const { return m_error; }
    // The speed in bit/s that the panel has set on its side of the line.
    int panelBaud() const;
    // Sends bytes to the panel. Bytes that nobody reads are lost once the
    // line's buffer is full, as on a real wire.
    void write(const QByteArray &bytes);

signals:
    void received(const QByteArray &bytes);

private:
    bool openPty(int baud);
    bool makeLink(const QString &path);
    void removeLink();
    void readMaster();
    bool fail(const QString &what);

    int m_master = -1;
    int m_slave = -1; // held open so the line stays up while the panel has it closed
    QSocketNotifier *m_notifier = nullptr;
    QString m_devicePath;
    QString m_linkPath;
    QString m_error;
};
