#pragma once

#include "ui/toolwindow.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;

// A menu entry that opens one tool window. The window is made on the first
// choice of the entry and kept until the program ends; each choice opens it
// again (or brings it to the front when shown). The entry stays disabled until
// a maker is given, so a window that does not exist yet is never offered.
// The object lives as a child of its action.
class ToolWindowEntry : public QObject
{
    Q_OBJECT

public:
    using Maker = std::function<ToolWindow *()>;

    explicit ToolWindowEntry(QAction *action);

    void setMaker(Maker maker);
    // Makes the window if needed, then loads and shows it.
    void open();
    // Closes the window when it is loaded, running its own closing steps.
    void closeWindow();
    QAction *action() const { return m_action; }
    // The window made so far, or nullptr.
    ToolWindow *window() const { return m_window; }

private:
    QAction *m_action;
    Maker m_maker;
    QPointer<ToolWindow> m_window;
};
