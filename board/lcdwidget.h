#pragma once

#include "boardsettings.h"
#include "lcdfont.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

class BoardModel;

// The board's display as it looks: a glass of 2 x 16 character cells of 5 x 8
// dots, lit by the backlight in its brightness, with the cursor.
class LcdWidget : public QWidget
{
    Q_OBJECT

public:
    explicit LcdWidget(const BoardModel &model, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // Repaints after the board changed; runs the blink only while a blinking cursor is shown.
    void refresh();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Palette
    {
        QColor glass;
        QColor dotOff;
        QColor dotOn;
    };

    // Everything the picture depends on; the frame is drawn anew only when it changes.
    struct Look
    {
        ScreenText display;
        int row = -1;
        int column = -1;
        CursorStyle cursor = CursorStyle::Hidden;
        bool blinkOn = false;
        bool lit = false;
        int brightness = 0;
        bool graphMode = false;
        std::array<Glyph, BoardSettings::CustomChars> customChars{};
        bool operator==(const Look &other) const;
    };

    Look look() const;
    Palette colours() const;
    Glyph cellDots(int row, int column) const;
    // Draws the board into m_frame, one image pixel per logical pixel.
    void renderFrame();
    void renderGlass(const Palette &colours);
    void renderCell(int row, int column, const Palette &colours);
    void fill(const QRect &rect, QRgb colour);
    void blink();
    void frameDue();

    const BoardModel &m_model;
    QImage m_frame;
    Look m_painted; // what m_frame shows
    QColor m_glass;
    QTimer m_frameTimer; // at most one repaint per frame while a stream pours in
    bool m_frameDirty = false;
    QTimer m_blinkTimer;
    bool m_blinkOn = true;
};
