#include "plugin_records.h"

#include <psapi.h>

#include <initializer_list>

namespace {

// True when size bytes from address lie within the image as the loader mapped it.
bool LiesInImage(const MODULEINFO &image, DWORD_PTR address, size_t size) {
    DWORD_PTR base = reinterpret_cast<DWORD_PTR>(image.lpBaseOfDll);
    return address >= base && address - base <= image.SizeOfImage &&
           size <= image.SizeOfImage - (address - base);
}

template <typename Function>
DWORD_PTR AddressOf(Function callback) {
    return reinterpret_cast<DWORD_PTR>(callback);
}

// A small integer or a pointer into the plug-in's stack would fault or change under the host:
// the record is read only when it lies in the image, and then only once.
template <typename Record>
bool ReadRecord(HMODULE module, const void *record, Record *copy, MODULEINFO *image) {
    if (!GetModuleInformation(GetCurrentProcess(), module, image, sizeof *image)) return false;
    if (!LiesInImage(*image, reinterpret_cast<DWORD_PTR>(record), sizeof(Record))) return false;
    *copy = *static_cast<const Record *>(record);
    return true;
}

RecordVerdict JudgeCallbacks(const MODULEINFO &image, std::initializer_list<DWORD_PTR> callbacks) {
    bool any = false;
    for (DWORD_PTR callback : callbacks) {
        if (callback == 0) continue;
        if (!LiesInImage(image, callback, 1)) return CALLBACK_OUTSIDE_MODULE;
        any = true;
    }
    return any ? RECORD_TAKEN : RECORD_WITHOUT_CALLBACKS;
}

}  // namespace

RecordVerdict CopyGeneralRecord(HMODULE module, const void *record, GPluginRecord *copy) {
    MODULEINFO image;
    if (!ReadRecord(module, record, copy, &image)) return RECORD_OUTSIDE_MODULE;
    return JudgeCallbacks(image, {AddressOf(copy->message_hook), AddressOf(copy->event_callback)});
}

RecordVerdict CopyConfigRecord(HMODULE module, const void *record, CPluginRecord *copy) {
    MODULEINFO image;
    if (!ReadRecord(module, record, copy, &image)) return RECORD_OUTSIDE_MODULE;
    return JudgeCallbacks(image, {AddressOf(copy->probe), AddressOf(copy->page_callback)});
}
