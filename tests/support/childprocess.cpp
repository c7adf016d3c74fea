#include "support/childprocess.h"

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
