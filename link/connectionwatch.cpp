#include "link/connectionwatch.h"

#include "link/mscomm.h"
#include "link/serialdevices.h"

ConnectionWatch::ConnectionWatch(MSComm &port, QObject *parent) : QObject(parent), m_port(port)
{
    m_timer.setInterval(CheckIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ConnectionWatch::check);
    // The port tells of every opening and closing, whoever asked for it, so
    // the state shown is always the port's own.
    connect(&m_port, &MSComm::portOpened, this, &ConnectionWatch::opened);
    connect(&m_port, &MSComm::portClosed, this, &ConnectionWatch::closed);
    connect(&m_port, &MSComm::portLost, this, &ConnectionWatch::lost);
    // The look that was put off comes once the event loop runs again: the
    // handler that held the port may still be sending from where it stands.
    connect(
        &m_port.activity(), &PortActivity::ended, this,
        [this] {
            if (m_timer.isActive())
                check();
        },
        Qt::QueuedConnection);
}

bool ConnectionWatch::open()
{
    if (m_port.setPortOpen(true))
        return true; // opened() has taken it from here
    const ConnectionState failed = failedState();
    if (failed.kind == ConnectionState::Closed)
        m_timer.stop();
    else
        m_timer.start();
    setState(failed);
    return false;
}

void ConnectionWatch::leave()
{
    m_timer.stop();
    if (m_port.PortOpen())
        m_port.setPortOpen(false); // closed() tells
    else
        setState({ConnectionState::ClosedByOperator});
}

// Where a failed opening leaves the link: still lost, waiting for a device
// that is not there, or closed for a reason waiting will not mend.
ConnectionState ConnectionWatch::failedState() const
{
    if (m_state.kind == ConnectionState::Lost)
        return m_state;
    const OpenFailure failure = m_port.LastOpenFailure();
    if (failure == OpenFailure::NotFound)
        return {ConnectionState::Waiting, failure};
    return {ConnectionState::Closed, failure, m_port.errorString()};
}

// Only a device that is there is opened; a failure that waiting will not
// mend ends the wait, except after a loss.
void ConnectionWatch::check()
{
    if (m_port.activity().busy())
        return;
    if (!DevicePresent(m_port.DeviceName()) || m_port.setPortOpen(true))
        return;
    const ConnectionState failed = failedState();
    if (failed.kind == ConnectionState::Closed) {
        m_timer.stop();
        setState(failed);
    }
}

void ConnectionWatch::opened()
{
    m_timer.stop();
    setState({ConnectionState::Open});
}

void ConnectionWatch::closed()
{
    m_timer.stop();
    setState({ConnectionState::ClosedByOperator});
}

void ConnectionWatch::lost()
{
    setState({ConnectionState::Lost});
    m_timer.start();
}

void ConnectionWatch::setState(const ConnectionState &state)
{
    m_state = state;
    m_port.setClosedNote(state.closedNote(m_port.DeviceName()));
    emit changed();
}
