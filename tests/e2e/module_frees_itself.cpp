// A general plug-in that unloads its own module once started, from a thread of its own, after
// its start callback returned: every later call the host makes through its record would meet
// an unloaded module.
#include <windows.h>

#include "host_contract.h"

static const DWORD kAfterTheCallbackMs = 100;
static HMODULE Self;

static DWORD WINAPI FreeSelf(LPVOID) {
    Sleep(kAfterTheCallbackMs);
    FreeLibraryAndExitThread(Self, 0);  // never returns into the freed module
}

static int CALLBACK StartAndFreeItself(HWND, int event_code) {
    HANDLE thread =
        event_code == GPEVENT_INIT ? CreateThread(NULL, 0, FreeSelf, NULL, 0, NULL) : NULL;
    if (thread != NULL) CloseHandle(thread);
    return 1;
}

static const GPluginRecord kRecord = {0, NULL, StartAndFreeItself};

extern "C" const GPluginRecord *GetGPluginInfo(void) { return &kRecord; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Self = instance;
    return TRUE;
}
