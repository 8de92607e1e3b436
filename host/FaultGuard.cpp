#include "host/FaultGuard.h"

#include <windows.h>

// g++ has no __try/__except, so the guard is built from the two platforms'
// own exception-handling records.

#if defined(__i386__)

#include <intrin.h>

namespace {

// An exception registration record on the stack, linked into the thread's
// handler chain at fs:0. Prev and Handler must come first.
struct GuardFrame {
    GuardFrame* Prev;
    void* Handler;
    void* Resume[5];  // __builtin_setjmp buffer
};

// The frame that a handled fault resumes at. Read from memory after the
// unwind, which need not preserve registers.
GuardFrame* volatile ActiveGuard = nullptr;

extern "C" EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT* context, void*)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    EXCEPTION_POINTERS pointers = {record, context};
    LONG answer = UnhandledExceptionFilter(&pointers);
    if (answer == EXCEPTION_CONTINUE_EXECUTION)
        return ExceptionContinueExecution;
    if (answer != EXCEPTION_EXECUTE_HANDLER)
        return ExceptionContinueSearch;
    ActiveGuard = static_cast<GuardFrame*>(frame);
    // Let the handlers between the fault and the guard clean up, then resume
    // behind the guarded call.
    RtlUnwind(frame, nullptr, record, nullptr);
    __builtin_longjmp(ActiveGuard->Resume, 1);
}

}  // namespace

__attribute__((noinline)) bool RunGuarded(GuardedBody body, void* context, int& result)
{
    GuardFrame frame;
    frame.Prev = reinterpret_cast<GuardFrame*>(__readfsdword(0));
    frame.Handler = reinterpret_cast<void*>(GuardHandler);
    bool completed = false;
    if (__builtin_setjmp(frame.Resume) == 0) {
        __writefsdword(0, reinterpret_cast<DWORD>(&frame));
        result = body(context);
        completed = true;
    }
    __writefsdword(0, reinterpret_cast<DWORD>(frame.Prev));
    return completed;
}

#elif defined(__x86_64__)

namespace {

// Set by the filter when the fault is to be handled here. The unwind lands
// behind the guarded region with only memory to go by.
volatile LONG GuardFaulted = 0;
volatile int GuardResult = 0;

}  // namespace

// Called by the C runtime's scope handler for a fault inside the region.
extern "C" __attribute__((used)) LONG GuardFilter(EXCEPTION_POINTERS* pointers, void*)
{
    LONG answer = UnhandledExceptionFilter(pointers);
    if (answer == EXCEPTION_EXECUTE_HANDLER)
        GuardFaulted = 1;
    return answer;
}

namespace {

// The region's scope-table entry names GuardFilter as its filter and the
// label behind the call as the place the unwind continues at. The labels
// are fixed, so this function must exist exactly once.
__attribute__((noinline, noclone)) void GuardedCall(GuardedBody body, void* context)
{
    __asm__ __volatile__(".l_guard_start:\n"
                         "\t.seh_handler __C_specific_handler, @except\n"
                         "\t.seh_handlerdata\n"
                         "\t.long 1\n"
                         "\t.rva .l_guard_start, .l_guard_end, GuardFilter, .l_guard_end\n"
                         "\t.text\n" ::
                             : "memory");
    GuardResult = body(context);
    __asm__ __volatile__("\tnop\n"
                         ".l_guard_end:\n"
                         "\tnop\n" ::
                             : "memory");
}

}  // namespace

bool RunGuarded(GuardedBody body, void* context, int& result)
{
    GuardFaulted = 0;
    GuardedCall(body, context);
    if (GuardFaulted != 0)
        return false;
    result = GuardResult;
    return true;
}

#else
#error "The fault guard supports i686 and x86_64 Windows only."
#endif
