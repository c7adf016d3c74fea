#include "ui/main/toolwindowentry.h"

#include <QAction>

ToolWindowEntry::ToolWindowEntry(QAction *action) : QObject(action), m_action(action)
{
    m_action->setEnabled(false);
}

void ToolWindowEntry::setMaker(Maker maker)
{
    m_maker = std::move(maker);
    m_action->setEnabled(bool(m_maker));
}

void ToolWindowEntry::open()
{
    if (!m_window && m_maker)
        m_window = m_maker();
    if (m_window)
        m_window->open();
}

void ToolWindowEntry::closeWindow()
{
    if (m_window && m_window->isLoaded())
        m_window->close();
}
