#include "posix/SignalPipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

int SignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    int saved = errno;
    char byte = 1;
    ssize_t written = write(SignalPipe[1], &byte, 1);
    (void)written;
    errno = saved;
}

}  // namespace

bool CatchSignals()
{
    if (pipe(SignalPipe) != 0)
        return false;
    for (int fd : SignalPipe) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGTERM, &action, nullptr) == 0 && sigaction(SIGINT, &action, nullptr) == 0;
}

int SignalFd()
{
    return SignalPipe[0];
}

void ReleaseSignals()
{
    for (int& fd : SignalPipe) {
        if (fd >= 0)
            close(fd);
        fd = -1;
    }
}
