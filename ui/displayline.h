#pragma once

class QLineEdit;

// Sets a text box up for display text of at most maxLength characters. Only
// printable characters that go on the wire as one byte each are accepted;
// the bytes 0xFE and 0xFF are left out, as the board reads them as the command
// prefix and the end of a definition.
void SetUpDisplayText(QLineEdit *box, int maxLength);
