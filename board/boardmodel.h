#pragma once

#include "boardcommandsink.h"
#include "boardparser.h"
#include "boardsettings.h"
#include "boardstate.h"
#include "scrollticker.h"

#include <QByteArray>

// The simulated display board: fed the bytes the panel writes, it keeps what
// the display shows and how the board is set up, answers the three reads, and
// holds a non-volatile copy of its settings. It has no clock of its own: the
// owner lets time pass with tick() (auto-off, scrolling).
class BoardModel : private BoardCommandSink
{
public:
    static constexpr int Rows = ScreenText::Rows;
    static constexpr int Columns = ScreenText::Columns;

    // Powers up from the given non-volatile memory.
    explicit BoardModel(const BoardSettings &stored = BoardSettings());

    // Takes received bytes; returns the board's answer, empty unless a read was among them.
    QByteArray feed(const QByteArray &bytes);
    QByteArray feed(const char *data, qsizetype size);
    void tick(int ms);
    // True while time matters: a scroll runs or the auto-off is counting.
    bool needsTicks() const;
    // Switches the board off and on again: it restarts from its non-volatile memory.
    void powerCycle();

    const BoardState &state() const { return m_state; }
    const BoardSettings &stored() const { return m_stored; }
    const ScrollTicker &scroll() const { return m_scroll; }
    // Grows whenever the non-volatile memory changes (time to write the store file).
    quint64 storedRevision() const { return m_storedRevision; }
    // Grows whenever something the board shows may have changed.
    quint64 revision() const { return m_revision; }
    bool backlightLit() const { return m_state.backlight && !m_state.dozing; }
    // The dots the display shows for a character code right now.
    Glyph glyph(quint8 code) const;

    void setInputs(quint8 bits);
    void setVoltageCount(quint16 count);
    void setCurrentCount(quint16 count);
    // Forces the board's serial speed, as a jumper would (9600 or 19200).
    void setBaud(int baud);

private:
    void execute(const BoardCommand &command) override;
    bool executeText(const BoardCommand &command);
    bool executeCursor(const BoardCommand &command);
    bool executeSetup(const BoardCommand &command);
    bool executeReads(const BoardCommand &command);
    bool executeDefinitions(const BoardCommand &command);

    void print(quint8 code);
    void backspace();
    void clear();
    void setCursor(int row, int column);
    void drawBar(int length, bool leftToRight);
    void defineCustomChars(std::string_view data);
    void defineScreen(const BoardCommand &command);
    void showScreen(int screen);
    void startScroll(const BoardCommand &command);
    void saveSettings();
    void replyCount(quint16 count);
    void wake();

    BoardParser m_parser;
    BoardState m_state;
    BoardSettings m_stored;
    ScrollTicker m_scroll;
    QByteArray m_reply;
    quint64 m_storedRevision = 0;
    quint64 m_revision = 0;
};
