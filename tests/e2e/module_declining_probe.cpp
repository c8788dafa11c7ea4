// A configuration plug-in whose probe answers 0: it declines to run, and the host skips it.
#include <windows.h>

#include "host_contract.h"

extern "C" {
int DecliningProbe(void);
const CPluginRecord *GetCPluginInfo(void);
}

namespace {
const CPluginRecord kRecord = {0, 0, DecliningProbe, NULL};
}

int DecliningProbe(void) { return 0; }

const CPluginRecord *GetCPluginInfo(void) { return &kRecord; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
