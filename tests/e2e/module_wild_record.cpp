// A DLL whose records cannot be read where they point: a small integer for the general
// plug-in, a place on its own stack, gone once the call returns, for the configuration plug-in.
#include <windows.h>

#include "host_contract.h"

static const DWORD_PTR kSmallInteger = 16;
enum { STACK_RECORDS = 64 };  // deep enough that the host's next calls leave the first alone

extern "C" {
const GPluginRecord *GetGPluginInfo(void) {
    return reinterpret_cast<const GPluginRecord *>(kSmallInteger);
}

const CPluginRecord *GetCPluginInfo(void) {
    CPluginRecord on_stack[STACK_RECORDS];
    for (CPluginRecord &record : on_stack) {
        record = {0, 0, reinterpret_cast<CPluginProbeProc>(kSmallInteger),
                  reinterpret_cast<CPluginPageProc>(kSmallInteger)};
    }
    const CPluginRecord *volatile escaped = on_stack;  // hidden from the compiler's warning
    return escaped;
}
}
