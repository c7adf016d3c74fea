#pragma once

#include "link/openfailure.h"
#include "link/portactivity.h"
#include "link/serialsettings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class QSerialPort;

// The serial control: a port number, a settings text and an open/closed state
// over QSerialPort, with a bounded receive buffer that raises OnComm on the
// window thread once RThreshold bytes are waiting. Which device a port number
// stands for is asked of a resolver given from outside.
class MSComm : public QObject
{
    Q_OBJECT

public:
    enum CommEvents
    {
        comEvReceive = 2,
        comEventBreak = 1001,
        comEventRxOver = 1006,
    };
    static constexpr int InBufferSize = 1024;
    // The port numbers the control takes.
    static constexpr int FirstPort = 1;
    static constexpr int LastPort = 255;
    // Bound of the bytes written but not yet taken by the device: 64 KiB is
    // over a minute of sending at 9600 bit/s, so only a board that has
    // stopped reading ever fills it.
    static constexpr int OutBufferSize = 64 * 1024;
    // The device (a path, or a name such as COM3) behind a port number.
    using DeviceResolver = std::function<QString(int port)>;

    explicit MSComm(QObject *parent = nullptr);
    ~MSComm() override;

    int CommPort() const { return m_commPort; }
    // Fails while the port is open or for a number outside FirstPort to LastPort.
    bool setCommPort(int port);

    QString Settings() const { return m_settingsText; }
    // Fails for a text that is not a settings text; the old settings stay.
    // Settings taken are told by settingsChanged().
    bool setSettings(const QString &text);

    bool PortOpen() const;
    // Opens or closes the port. Opening fails when the device is missing or in
    // use, or the port is already open; errorString() then tells why.
    bool setPortOpen(bool open);

    int RThreshold() const { return m_rThreshold; }
    void setRThreshold(int count) { m_rThreshold = count; }

    int InputMode() const { return m_inputMode; }
    void setInputMode(int mode) { m_inputMode = mode; }

    // Queues all the bytes for sending, in order, in one write; returns at once.
    // Refuses the whole write, queueing nothing of it, when the port is closed
    // or the bytes would take the output queue past OutBufferSize.
    bool setOutput(const QByteArray &bytes);
    // Bytes written and not yet taken by the device.
    int OutBufferCount() const;
    // Blocks until every byte written has gone to the device and the device
    // has sent it on, for a program that must not end before its bytes are
    // out. False when the device takes nothing for stallMs or goes away.
    bool drainOutput(int stallMs);
    // True when every byte written has left for the line: none waits in the
    // port's queue or the driver's (always true while the port is closed).
    bool OutputDrained() const;
    // All bytes received and not yet read; reading removes them.
    QByteArray Input();
    int InBufferCount() const { return int(m_received.size()); }
    // Setting 0 discards every byte received and not yet read, also what the
    // port and the driver still hold, as setting the count to 0 empties the
    // receive buffer of a serial control. Other counts change nothing.
    void setInBufferCount(int count);

    int CommEvent() const { return m_commEvent; }

    // Where port numbers lead from the next opening on; without a resolver,
    // to the platform's own devices.
    void setDeviceResolver(DeviceResolver resolver) { m_resolver = std::move(resolver); }
    // The device the current port number maps to.
    QString DeviceName() const;
    // The platform's device for a port number: COMn on Windows, /dev/ttyS{n-1} elsewhere.
    static QString PlatformDevice(int port);
    QString errorString() const { return m_errorString; }
    // Work under way that must not be cut into (see PortActivity).
    PortActivity &activity() { return m_activity; }
    const PortActivity &activity() const { return m_activity; }
    // What the port's owner tells of a closed port, for the operator
    // ("Waiting for /dev/ttyUSB0 to appear."); empty when it has nothing to add.
    QString ClosedNote() const { return m_closedNote; }
    void setClosedNote(const QString &note) { m_closedNote = note; }
    // Who the writes and the bytes received are for while another program's
    // command runs ("vantorctl 4711"); empty for the owner's own. A monitor
    // reads it when it hears of a write or of bytes received.
    QString Origin() const { return m_origin; }
    void setOrigin(const QString &origin) { m_origin = origin; }
    // True while a reader other than the owner's read-outs waits for a reply:
    // the bytes received are its, and the owner's receive handler leaves them.
    bool ReceiveClaimed() const { return m_receiveClaimed; }
    void setReceiveClaimed(bool claimed) { m_receiveClaimed = claimed; }
    // Why the last opening failed; None after one that succeeded.
    OpenFailure LastOpenFailure() const { return m_openFailure; }

signals:
    void OnComm();
    // Each write handed to the port, as it was handed (a log or a test may watch it).
    void outputWritten(const QByteArray &bytes);
    // Each chunk read from the device, as it arrived, before the receive
    // buffer takes it (a log, a monitor or a byte count may watch it).
    void inputArrived(const QByteArray &bytes);
    // setSettings() took new settings, for the open port or its next opening.
    void settingsChanged();
    // The port opened (setPortOpen(true) succeeded).
    void portOpened();
    // The port was closed on request (setPortOpen(false) on an open port).
    void portClosed();
    // The device went away while open; the port is closed now.
    void portLost();

private:
    void receive();
    void closeLostDevice();
    void raise(int event);

    QSerialPort *m_port;
    int m_commPort = 1;
    DeviceResolver m_resolver;
    QString m_settingsText = Settings9600;
    SerialSettings m_settings;
    int m_rThreshold = 0;
    int m_inputMode = 0;
    int m_commEvent = 0;
    QByteArray m_received;
    QString m_errorString;
    OpenFailure m_openFailure = OpenFailure::None;
    PortActivity m_activity;
    QString m_closedNote;
    QString m_origin;
    bool m_receiveClaimed = false;
};
