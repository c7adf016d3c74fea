#include "protocol/commandbuffer.h"

QByteArray strCommand;
