#include "boardhost.h"

#include "boardstore.h"

#include <QtDebug>

BoardHost::BoardHost(BoardModel &model, QObject *parent)
    : QObject(parent), m_model(model), m_savedRevision(model.storedRevision())
{
    m_timer.setInterval(TickMs);
    connect(&m_timer, &QTimer::timeout, this, &BoardHost::tick);
    scheduleTicks();
}

void BoardHost::setLogging(bool on)
{
    m_logging = on;
}

void BoardHost::setStore(BoardStore *store)
{
    m_store = store;
    m_savedRevision = m_model.storedRevision();
}

void BoardHost::receive(const QByteArray &bytes, int panelBaud)
{
    checkSpeed(panelBaud);
    if (m_mismatch) {
        note(QStringLiteral("%1 bytes ignored (speed mismatch)").arg(bytes.size()));
    } else {
        const QByteArray answer = m_model.feed(bytes);
        if (m_logging)
            m_log.add(bytes, answer);
        if (!answer.isEmpty())
            emit reply(answer);
        saveIfNeeded();
        scheduleTicks();
    }
    if (m_logging)
        emit logLines(m_log.take());
    emit changed();
}

void BoardHost::checkSpeed(int panelBaud)
{
    m_panelBaud = panelBaud;
    const bool mismatch = panelBaud != m_model.state().baud;
    if (mismatch == m_mismatch)
        return;
    m_mismatch = mismatch;
    note(mismatch ? QStringLiteral("speed mismatch: panel %1 bit/s, board %2 bit/s")
                        .arg(panelBaud)
                        .arg(m_model.state().baud)
                  : QStringLiteral("speeds agree again: %1 bit/s").arg(panelBaud));
    emit speedMismatchChanged(mismatch);
}

void BoardHost::powerCycle()
{
    m_model.powerCycle();
    m_log.reset();
    note(QStringLiteral("power cycle"));
    if (m_logging)
        emit logLines(m_log.take());
    if (m_mismatch && m_panelBaud == m_model.state().baud) {
        m_mismatch = false;
        emit speedMismatchChanged(false);
    }
    scheduleTicks();
    emit changed();
}

void BoardHost::setInputs(quint8 bits)
{
    m_model.setInputs(bits);
    emit changed();
}

void BoardHost::setVoltageCount(quint16 count)
{
    m_model.setVoltageCount(count);
    emit changed();
}

void BoardHost::setCurrentCount(quint16 count)
{
    m_model.setCurrentCount(count);
    emit changed();
}

void BoardHost::tick()
{
    const quint64 before = m_model.revision();
    m_model.tick(int(m_clock.restart()));
    scheduleTicks();
    if (m_model.revision() != before)
        emit changed();
}

// The timer runs only while time matters to the board, so an idle board costs nothing.
void BoardHost::scheduleTicks()
{
    if (!m_model.needsTicks()) {
        m_timer.stop();
    } else if (!m_timer.isActive()) {
        m_clock.start();
        m_timer.start();
    }
}

void BoardHost::saveIfNeeded()
{
    if (m_model.storedRevision() == m_savedRevision)
        return;
    m_savedRevision = m_model.storedRevision();
    if (!m_store || m_store->save(m_model.stored()))
        return;
    const QString problem =
        QStringLiteral("cannot write %1: %2").arg(m_store->path(), m_store->errorString());
    qWarning("VantorBoard: %s", qPrintable(problem));
    note(problem);
}

void BoardHost::note(const QString &line)
{
    if (m_logging)
        m_log.addNote(line);
}
