#pragma once

class QLineEdit;

// Sets a text box up for display text of at most maxLength characters. Only
// characters the wire's text rule lets through are accepted (see
// IsSendableChar): printable ones that go out as one byte each, never the
// bytes 0xFE and 0xFF, which the board reads as the command prefix and the end
// of a definition.
void SetUpDisplayText(QLineEdit *box, int maxLength);
