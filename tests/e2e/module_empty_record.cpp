// A DLL whose records name no callback at all: loaded, it would do nothing.
#include <windows.h>

#include "host_contract.h"

extern "C" {
const GPluginRecord *GetGPluginInfo(void);
const CPluginRecord *GetCPluginInfo(void);
}

namespace {
const GPluginRecord kGeneral = {0, NULL, NULL};
const CPluginRecord kConfiguration = {0, 0, NULL, NULL};
}  // namespace

const GPluginRecord *GetGPluginInfo(void) { return &kGeneral; }
const CPluginRecord *GetCPluginInfo(void) { return &kConfiguration; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
