#pragma once

#include <QString>

// "vantorctl help serve": the serve command's options, the bridge's among them.
QString ServeHelp();
