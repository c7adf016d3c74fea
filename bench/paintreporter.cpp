#include "paintreporter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

qint64 now()
{
    timespec clock{};
    clock_gettime(CLOCK_MONOTONIC, &clock);
    return qint64(clock.tv_sec) * 1'000'000'000 + clock.tv_nsec;
}

void printMoment(const char *name, qint64 ns)
{
    std::printf("%s %lld\n", name, static_cast<long long>(ns));
}

const qint64 loaded = now(); // static initialisation of the program
qint64 appMade = 0;

void installReporter()
{
    appMade = now();
    QCoreApplication::instance()->installEventFilter(
        new PaintReporter(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installReporter)

bool PaintReporter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show && !m_show) || (type == QEvent::Paint && !m_paint)) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->isWindow()) {
            (type == QEvent::Show ? m_show : m_paint) = now();
            // Queued: runs once this paint and the rest of the frame are done.
            if (type == QEvent::Paint)
                QMetaObject::invokeMethod(this, &PaintReporter::report, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void PaintReporter::report()
{
    const qint64 shown = now();
    printMoment("loaded", loaded);
    printMoment("app", appMade);
    printMoment("show", m_show);
    printMoment("paint", m_paint);
    printMoment("shown", shown);
    std::fflush(stdout);
    // For finding where the memory goes: VANTOR_BENCH_SMAPS=<file> keeps the memory map.
    if (const QString path = qEnvironmentVariable("VANTOR_BENCH_SMAPS"); !path.isEmpty()) {
        QFile map(QStringLiteral("/proc/self/smaps")), copy(path);
        if (map.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly))
            copy.write(map.readAll()); // a /proc file has no size: copy() would copy nothing
    }
    QCoreApplication::exit(0);
}
