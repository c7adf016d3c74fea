#pragma once

#include "ui/custom/customchar.h"

#include <QWidget>

// The character being drawn as the display will show it: magnified with a
// gap between the dots like the board's glass, and below that at its real
// size of 5 x 8 screen pixels.
class CharPreview : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Scale = 6;

    explicit CharPreview(QWidget *parent = nullptr);

    void setPattern(const CharRows &rows);
    CharRows pattern() const { return m_rows; }

    // Where the two pictures are drawn, in widget coordinates.
    QRect magnifiedRect() const;
    QRect realSizeRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawDots(QPainter &painter, const QRect &area, int scale, int gap) const;

    CharRows m_rows{};
};
