#pragma once

#include <QObject>

// Work on the port that must not be cut into: a handler whose writes belong
// together (also while it shows a message box between them), an upload of
// several steps, a read waiting for its reply. While any is under way the
// port is not reopened behind the operator's back, so the rest of a command
// never reaches a board that came back in its middle; when the last one ends,
// ended() says so.
class PortActivity : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    void begin() { ++m_count; }
    void end();
    bool busy() const { return m_count > 0; }

    // Holds the port for the life of a scope.
    class Scope
    {
    public:
        explicit Scope(PortActivity &activity) : m_activity(activity) { m_activity.begin(); }
        ~Scope() { m_activity.end(); }
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        PortActivity &m_activity;
    };

signals:
    // Nothing is under way any more.
    void ended();

private:
    int m_count = 0;
};
