// A structured exception guard around the whole run of a mode.
#pragma once

typedef int (*GuardedBody)(void* context);

// Calls body(context) and stores its result. A fault raised anywhere below
// (a processor fault or any other structured exception) is offered to the
// system's UnhandledExceptionFilter, whose answer decides: continue at the
// fault, search further (the process ends as unhandled), or handle it here,
// when the frames below are unwound and RunGuarded returns false.
bool RunGuarded(GuardedBody body, void* context, int& result);
