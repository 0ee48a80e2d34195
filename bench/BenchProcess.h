#pragma once
// Each measurement in a process of its own, so the figures do not mix.

#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

// Runs `body` in a child process and waits for it; its exit code, or 1 when it did not exit.
template <typename TBody>
int InChild(TBody body)
{
    std::fflush(stdout);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int code = body();
        std::fflush(stdout);
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
