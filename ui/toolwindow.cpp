#include "ui/toolwindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QWindow>

ToolWindow::ToolWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void ToolWindow::open()
{
    if (!m_loaded) {
        dropClosedWindowHandle();
        m_loaded = true;
        Form_Load();
        if (!m_loaded)
            return; // it closed itself while loading
    }
    show();
    raise();
    activateWindow();
}

void ToolWindow::closeEvent(QCloseEvent *event)
{
    if (m_loaded) {
        m_loaded = false;
        Form_Unload();
    }
    event->accept();
}

// Escape reaches the window when the control that has the focus does not use
// it (an open picker list closes on it first); close() then runs the same
// closeEvent as the title bar's close button.
void ToolWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Cancel))
        close();
    else
        QWidget::keyPressEvent(event);
}

// Qt drops the native window when a window closes but keeps its window handle,
// and close() on a hidden window in that state returns without a close event
// on some platforms (offscreen, minimal). Without the handle, close() goes
// straight to closeEvent, as at the first opening, so a window that closes
// itself while loading really closes. Showing makes a new handle.
void ToolWindow::dropClosedWindowHandle()
{
    if (windowHandle() && !windowHandle()->handle())
        destroy();
}
