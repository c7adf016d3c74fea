#pragma once

#include "mqttprobe.h"
#include "testbroker.h"
#include "traceboard.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// One board on the test's own broker, all real processes: mosquitto, a
// VantorBoard behind a link named after the board's id (so the bridge's
// default id is that name), the bridge (vantorctl serve --mqtt), and a
// probe subscribed to the board's topics and the discovery topics.
class BridgeHarness
{
    QTemporaryDir m_dir; // first: the board's link is in it

public:
    BridgeHarness(const QString &id, const QStringList &boardArguments = {},
                  const QStringList &bridgeArguments = {});
    ~BridgeHarness();

    // All four, the bridge online; false when any of them does not come.
    bool start();
    // Starts the bridge and, with waitOnline, waits for the board to be online.
    bool startBridge(bool waitOnline = true);
    // The bridge dies on the spot (no clean disconnect).
    void killBridge();
    // The bridge ends as on SIGTERM; its exit code.
    int stopBridge();
    // Waits until the bridge has told that (on standard error: "serving", "connected").
    bool waitForTold(const QByteArray &text);
    // What the bridge has told so far.
    QByteArray told() const { return m_told; }

    // vantor/<id>/<name>
    QString topic(const QString &name) const;
    // Publishes on the board's topic and waits for its answer on .../result.
    QByteArray ask(const QString &name, const QByteArray &payload);

    TestBroker broker;
    TraceBoard board;
    MqttProbe probe;

private:
    QString m_id;
    QStringList m_bridgeArguments;
    QProcess m_bridge;
    QByteArray m_told;
};
