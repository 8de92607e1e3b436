// SIGTERM and SIGINT as a readable file descriptor, for a saver's poll loop:
// the handler writes one byte to a pipe (all it may safely do), and the loop
// polls SignalFd() beside its other descriptors.
#pragma once

// Installs the handlers; false when the pipe or a handler cannot be made.
bool CatchSignals();
// The pipe's read end; readable once a signal came. -1 before CatchSignals.
int SignalFd();
// Closes the pipe.
void ReleaseSignals();
