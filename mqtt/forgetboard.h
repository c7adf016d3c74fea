#pragma once

#include "mqtt/bridgeconfig.h"

#include <QString>

// Removes the board from the broker: an empty retained message on each of
// its discovery topics (Home Assistant then removes the device) and on each
// of its retained state and availability topics. True once the broker has
// acknowledged them all; false, with *error set, when it cannot be reached
// or does not acknowledge them within timeoutMs.
bool ForgetBoard(const BridgeConfig &config, QString *error, int timeoutMs = 10000);
