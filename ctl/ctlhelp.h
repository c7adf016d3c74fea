#pragma once

#include <QString>

// vantorctl's help: how to call it, its options, its commands, standard
// input and its exit status.
QString OverallHelp();
