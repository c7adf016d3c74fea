#include "ui/custom/charpreview.h"

#include <QPainter>

namespace {

constexpr int Margin = 2; // green border around each picture
constexpr int Spacing = 6;

} // namespace

CharPreview::CharPreview(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(tr("Character preview"));
    setToolTip(tr("The character magnified and at its real size"));
}

void CharPreview::setPattern(const CharRows &rows)
{
    if (rows == m_rows)
        return;
    m_rows = rows;
    update();
}

QRect CharPreview::magnifiedRect() const
{
    const QSize size(CustomChar::Columns * Scale, Cmd::CustomCharRows * Scale);
    return QRect(QPoint((width() - size.width()) / 2, Margin), size);
}

QRect CharPreview::realSizeRect() const
{
    const QSize size(CustomChar::Columns, Cmd::CustomCharRows);
    const int top = magnifiedRect().bottom() + 1 + Margin + Spacing + Margin;
    return QRect(QPoint((width() - size.width()) / 2, top), size);
}

QSize CharPreview::sizeHint() const
{
    const int width = CustomChar::Columns * Scale + 2 * Margin;
    const int height = Cmd::CustomCharRows * Scale + Cmd::CustomCharRows + 4 * Margin + Spacing;
    return {width, height};
}

void CharPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (const QRect &area : {magnifiedRect(), realSizeRect()}) {
        painter.fillRect(area.adjusted(-Margin, -Margin, Margin, Margin), CustomChar::PixelOff);
        painter.setPen(Qt::darkGray);
        painter.drawRect(area.adjusted(-Margin, -Margin, Margin - 1, Margin - 1));
    }
    drawDots(painter, magnifiedRect(), Scale, 1);
    drawDots(painter, realSizeRect(), 1, 0);
}

void CharPreview::drawDots(QPainter &painter, const QRect &area, int scale, int gap) const
{
    for (int row = 0; row < Cmd::CustomCharRows; ++row) {
        for (int column = 0; column < CustomChar::Columns; ++column) {
            if (!(m_rows[row] & CustomChar::columnMask(column)))
                continue;
            const QPoint corner = area.topLeft() + QPoint(column * scale, row * scale);
            painter.fillRect(QRect(corner, QSize(scale - gap, scale - gap)), CustomChar::PixelOn);
        }
    }
}
