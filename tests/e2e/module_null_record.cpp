// A DLL with both plug-in entries, each handing out no record: the host must skip it.
#include <windows.h>

extern "C" {
const void *GetGPluginInfo(void) { return NULL; }
const void *GetCPluginInfo(void) { return NULL; }
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
