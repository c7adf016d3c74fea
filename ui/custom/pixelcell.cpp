#include "ui/custom/pixelcell.h"

#include "ui/custom/customchar.h"

#include <QKeyEvent>
#include <QPainter>

PixelCell::PixelCell(QWidget *parent) : QAbstractButton(parent), m_backColor(CustomChar::PixelOff)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover); // repaint when the mouse comes and goes
    setCursor(Qt::PointingHandCursor);
}

void PixelCell::setBackColor(const QColor &color)
{
    if (color == m_backColor)
        return;
    m_backColor = color;
    update();
}

void PixelCell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), m_backColor);
    painter.setPen(underMouse() ? palette().color(QPalette::Highlight) : QColor(Qt::darkGray));
    painter.drawRect(box);
    if (hasFocus()) {
        // A ring that shows on both colours: white inside a highlight frame.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
        painter.setPen(Qt::white);
        painter.drawRect(box.adjusted(3, 3, -3, -3));
    }
}

void PixelCell::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left: emit stepFocus(0, -1); break;
    case Qt::Key_Right: emit stepFocus(0, 1); break;
    case Qt::Key_Up: emit stepFocus(-1, 0); break;
    case Qt::Key_Down: emit stepFocus(1, 0); break;
    default: QAbstractButton::keyPressEvent(event); // Space clicks
    }
}

void PixelCell::focusInEvent(QFocusEvent *event)
{
    QAbstractButton::focusInEvent(event);
    emit focusEntered();
}
