#pragma once

#include <QByteArray>
#include <QString>

// The widths of the board's texts, in characters; each character is one byte.
inline constexpr int DisplayLineLength = 16; // one line of the display
inline constexpr int ScrollTextLength = 40;  // one text of the scroll command

// A command that carries two texts. The three of them (start-up screen, user
// screen, scroll) share one body: text 1, the end-of-line mark when text 1 is
// shorter than its full width, text 2, the end-of-text mark. The pieces stay
// apart because the windows hand them to the port in separate writes.
struct TwoTextCommand
{
    QByteArray command; // the prefix and the command byte
    QByteArray first;   // text 1, and the end-of-line mark when it is short
    QByteArray second;  // text 2 and the end-of-text mark
};

enum class ScrollDirection
{
    LeftToRight,
    RightToLeft
};

// DefineStartupScreen: FE C8, line 1, [0D], line 2, FF.
TwoTextCommand StartupScreenCommand(const QString &line1, const QString &line2);
// DefineUserScreen k (1 to 10): FE C8+k, line 1, 0D even after a full line 1, line 2, FF.
TwoTextCommand UserScreenCommand(int screen, const QString &line1, const QString &line2);
// ScrollText: FE D3 or FE D4, text 1, [0D], text 2, FF.
TwoTextCommand ScrollCommand(ScrollDirection direction, const QString &text1, const QString &text2);

// Two lines written as text at the cursor: line 1, then NewLine when it is
// shorter than a display line so that line 2 starts on the second row; line 2.
struct TwoLineText
{
    QByteArray first;
    QByteArray second;
};

TwoLineText DisplayLinesText(const QString &line1, const QString &line2);
