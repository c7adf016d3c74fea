#pragma once

#include <QObject>

// Watches every event of the application and, once the first top-level widget
// has been painted, prints the moments of start-up on stdout, one a line, as
// CLOCK_MONOTONIC nanoseconds (the clock the start-up driver reads when it
// spawns the program), and ends the event loop:
//   loaded <ns>   static initialisation: the libraries are loaded and bound
//   app <ns>      inside the application object's constructor
//   show <ns>     the first top-level widget is being shown
//   paint <ns>    its first paint begins
//   shown <ns>    that paint and the rest of the first frame are done (last line)
// With VANTOR_BENCH_SMAPS=<file> it also copies /proc/self/smaps there.
// Linked into both start-up programs; it installs itself when the application
// object is made, before main() makes any window.
class PaintReporter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void report();

    qint64 m_show = 0;
    qint64 m_paint = 0;
};
