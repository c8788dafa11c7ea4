// A general plug-in that unloads its own module once started, from a thread of its own, after
// its start callback returned: every later call the host makes through its record would meet
// an unloaded module.
#include <windows.h>

#include "host_contract.h"

extern "C" {
int CALLBACK StartAndFreeItself(HWND host_window, int event_code);
const GPluginRecord *GetGPluginInfo(void);
}

namespace {
const GPluginRecord kRecord = {0, NULL, StartAndFreeItself};
const DWORD kAfterTheCallbackMs = 100;
HMODULE Self;

DWORD WINAPI FreeSelf(LPVOID) {
    Sleep(kAfterTheCallbackMs);
    FreeLibraryAndExitThread(Self, 0);  // never returns into the freed module
}
}  // namespace

int CALLBACK StartAndFreeItself(HWND, int event_code) {
    if (event_code != GPEVENT_INIT) return 1;
    HANDLE thread = CreateThread(NULL, 0, FreeSelf, NULL, 0, NULL);
    if (thread != NULL) CloseHandle(thread);
    return 1;
}

const GPluginRecord *GetGPluginInfo(void) { return &kRecord; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Self = instance;
    return TRUE;
}
