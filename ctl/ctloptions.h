#pragma once

#include "mqtt/mqttoptions.h"
#include "protocol/line/lineoptions.h"

#include <QString>
#include <QStringList>
#include <optional>

// vantorctl's own command line: the options of a line (LineOptions) and
// those that choose the port, which only the command line may set.
struct CtlOptions
{
    LineOptions line;
    QString port;    // --port: a device or COMn; empty: the panel's port
    QString speed;   // --speed: "9600" or "19200"; empty: the panel's speed
    QString iniFile; // --ini: the settings file to take the panel's choice from
    bool dryRun = false;
    bool direct = false;    // --direct: open the device even when a program serves it
    bool version = false;   // -V, --version
    bool fromInput = false; // "-": the commands come from standard input
    // vantorctl serve only: the port follows the board to a speed a client tells it.
    bool followSpeed = false;
    // vantorctl watch only: seconds between polls, and how many polls (0: until stopped).
    double intervalSeconds = 1.0;
    int count = 0;
    // vantorctl serve only: the bridge to an MQTT broker (--mqtt and the options after it).
    MqttOptions mqtt;
    // The options given that only one command takes ("--follow-speed" and
    // "--mqtt": serve; "--interval": watch).
    QStringList commandOptions;
};

// Reads vantorctl's arguments (without the program's name), through
// QCommandLineParser: options may stand anywhere before "--" (see
// SortArguments). No value, with *error set, for an unknown option or a bad
// or missing value.
std::optional<CtlOptions> ParseCommandLine(const QStringList &args, QString *error);
