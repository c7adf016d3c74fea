#pragma once

#include <QAbstractButton>
#include <QColor>

// One clickable square of the character grid. Its background colour is all
// the state it has; the window decides what a click does to it. It takes the
// keyboard focus, Space clicks it and the arrow keys ask to move the focus.
class PixelCell : public QAbstractButton
{
    Q_OBJECT

public:
    explicit PixelCell(QWidget *parent = nullptr);

    QColor BackColor() const { return m_backColor; }
    void setBackColor(const QColor &color);

    QSize sizeHint() const override { return {17, 17}; }

signals:
    // An arrow key: move the focus by this many rows and columns.
    void stepFocus(int rowStep, int columnStep);
    void focusEntered();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    QColor m_backColor;
};
