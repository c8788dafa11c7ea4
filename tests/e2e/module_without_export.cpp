// A well-formed DLL that exports neither plug-in entry: the host must skip it.
#include <windows.h>

extern "C" __declspec(dllexport) int UnrelatedFunction(void) { return 1; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
