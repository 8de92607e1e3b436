#include "host/HostState.h"

#include "hostrules/CloseRules.h"

namespace {

HostStateRecord InitialHostState()
{
    HostStateRecord state = {
        nullptr,          // Instance
        0,                // IsWin95Family
        nullptr,          // SaverWindow
        0,                // IsPreview
        nullptr,          // ImeLibrary
        nullptr,          // AssociateContext
        nullptr,          // SavedInputContext
        0,                // CloseGranted
        0,                // Verifying
        nullptr,          // PasswordLibrary
        nullptr,          // VerifyPassword
        MOUSE_THRESHOLD,  // MouseThreshold
        NEVER_VERIFIED,   // LastVerifyTime
        {0, 0},           // ReferencePoint
    };
    return state;
}

}  // namespace

HostStateRecord HostState = InitialHostState();

void ResetHostState()
{
    HostState = InitialHostState();
}
