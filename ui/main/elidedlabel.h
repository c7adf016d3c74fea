#pragma once

#include <QLabel>

// A one-line label that shows as much of its text as fits, with "…" where it
// is cut, and never asks its layout for more room than a few characters: a
// long device path cannot widen the window. The whole text stays its text(),
// which a screen reader says, and its tool tip while it is cut.
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(Qt::TextElideMode mode, QWidget *parent = nullptr);

    void setText(const QString &text);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString shownText() const;
    void updateToolTip();

    Qt::TextElideMode m_mode;
};
