#include "ui/toolwindow.h"

#include <QCloseEvent>

ToolWindow::ToolWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void ToolWindow::open()
{
    if (!m_loaded) {
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
