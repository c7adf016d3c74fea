#include "link/portactivity.h"

void PortActivity::end()
{
    if (m_count > 0 && --m_count == 0)
        emit ended();
}
