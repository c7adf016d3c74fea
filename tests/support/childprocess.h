#pragma once

#include <functional>
#include <sys/types.h>

// Real second processes for tests: runs work() in a forked child, whose exit
// code is what work() returns. The child leaves with _exit, so it never runs
// the test's own clean-up twice.
pid_t StartChild(const std::function<int()> &work);
// Waits for the child; its exit code, or -1 when it did not exit normally.
int WaitForChild(pid_t child);
// Both at once.
int RunInChild(const std::function<int()> &work);
// Waits for a child that needs this process meanwhile (a client of a server
// here), processing Qt events; -1 also when it has not ended within timeoutMs,
// a bound for a test gone wrong: the child is then killed.
int WaitForChildServing(pid_t child, int timeoutMs = 60000);
