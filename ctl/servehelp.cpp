#include "ctl/servehelp.h"

namespace {

const char *const Help =
    R"(Usage: vantorctl serve [--port DEVICE|COMn] [--speed 9600|19200] [--follow-speed]
                       [--mqtt URL [MQTT OPTIONS]]
Owns the port without a window and serves it to the user's other programs
(vantorctl finds it), as VantorApp does; waits for a device that is not there
and reopens one that comes back. Ends on SIGINT, SIGTERM or SIGHUP.

  --follow-speed        the port follows the board to a speed a client tells it
  --mqtt URL            also put the board on an MQTT broker: mqtt://HOST[:PORT]
                        or mqtts://HOST[:PORT] (TLS); topics vantor/ID/...

MQTT options:
  --id NAME             the board's id (default: its serial number in
                        /dev/serial/by-id, else the device's file name)
  --group NAME          also take the commands of vantor/group/NAME/...
  --poll SECONDS        poll the readings this often (default 10; 0 never)
  --discovery-prefix P  Home Assistant's discovery prefix (homeassistant)
  --no-discovery        publish no discovery messages
  --forget              clear the board's retained topics on the broker, then end
  --mqtt-user USER      the broker's user
  --mqtt-password-file FILE  the password (else VANTOR_MQTT_PASSWORD)
  --mqtt-cafile FILE    the broker's certificate authority (mqtts://)
  --mqtt-cert FILE, --mqtt-key FILE  a client certificate and its key
  --mqtt-insecure       allow a password to a remote broker without TLS

Command topics: display/set (two lines), line1/set, line2/set, backlight/set
(ON/OFF), brightness/set (50-250), out1/set..out3/set (ON/OFF), screen/set
(1-10), command (a line of commands, answered on vantor/ID/result).
"man vantorctl" tells more.
)";

} // namespace

QString ServeHelp()
{
    return QLatin1String(Help);
}
