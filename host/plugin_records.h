// Which records a plug-in hands out the host takes: only one that lies, with every callback it
// names, inside the module's own image, and names at least one callback. Such a record is
// copied once, so that nothing the plug-in does to its memory later reaches the host.
#ifndef REFHOST_PLUGIN_RECORDS_H
#define REFHOST_PLUGIN_RECORDS_H

#include <windows.h>

#include "host_contract.h"

enum RecordVerdict {
    RECORD_TAKEN,
    RECORD_OUTSIDE_MODULE,    // the record itself cannot be read as part of the module
    CALLBACK_OUTSIDE_MODULE,  // a callback points at code that is not the module's
    RECORD_WITHOUT_CALLBACKS  // nothing the host could ever call
};

// Copies the record at `record` of the loaded module into `copy` when the verdict is
// RECORD_TAKEN; reads nothing outside the module's image.
RecordVerdict CopyGeneralRecord(HMODULE module, const void *record, GPluginRecord *copy);
RecordVerdict CopyConfigRecord(HMODULE module, const void *record, CPluginRecord *copy);

#endif
