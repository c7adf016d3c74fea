#include "support/childprocess.h"

#include <QDeadlineTimer>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

pid_t StartChild(const std::function<int()> &work)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(work());
    return child;
}

int WaitForChild(pid_t child)
{
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

int RunInChild(const std::function<int()> &work)
{
    return WaitForChild(StartChild(work));
}

int WaitForChildServing(pid_t child, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    int status = 0;
    while (child > 0 && !deadline.hasExpired()) {
        const pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended != 0)
            return ended == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        QTest::qWait(5);
    }
    if (child > 0)
        kill(child, SIGKILL);
    WaitForChild(child);
    return -1;
}
