#pragma once

#include "ui/msgbox.h"

#include <QList>
#include <functional>

// Takes the place of the real message boxes while it lives: records each one
// and answers with the queued answers, else with the default button (or OK).
class MsgBoxRecorder
{
public:
    MsgBoxRecorder();
    ~MsgBoxRecorder();

    // The next boxes are answered with these buttons, in turn.
    void answer(QMessageBox::StandardButton button) { m_answers << button; }
    // Runs while each box is "on screen", e.g. to let timers tick as a modal
    // dialog's event loop would.
    void whileShown(std::function<void(const MsgBoxRequest &)> action)
    {
        m_whileShown = std::move(action);
    }

    const QList<MsgBoxRequest> &boxes() const { return m_boxes; }
    int count() const { return int(m_boxes.size()); }
    int count(const QString &text) const;
    QStringList texts() const;
    void clear() { m_boxes.clear(); }

private:
    QList<MsgBoxRequest> m_boxes;
    QList<QMessageBox::StandardButton> m_answers;
    std::function<void(const MsgBoxRequest &)> m_whileShown;
};
