#pragma once

#include "protocol/textbytes.h"

class QLineEdit;

// Sets a text box up for display text of at most maxLength characters. Only
// characters the wire's text rule lets through for that place are accepted
// (see IsSendableChar): each goes out as one byte, and none of them can start
// a command or end a definition early.
void SetUpDisplayText(QLineEdit *box, int maxLength, TextPlace place);
