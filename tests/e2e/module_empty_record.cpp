// A DLL whose records name no callback at all: loaded, it would do nothing.
#include <windows.h>

#include "host_contract.h"

static const GPluginRecord kGeneral = {0, NULL, NULL};
static const CPluginRecord kConfiguration = {0, 0, NULL, NULL};

extern "C" {
const GPluginRecord *GetGPluginInfo(void) { return &kGeneral; }
const CPluginRecord *GetCPluginInfo(void) { return &kConfiguration; }
}
