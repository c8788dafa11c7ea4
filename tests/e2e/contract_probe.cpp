// A general plug-in that writes down how the host treats it, one line per event, into
// contract_probe.log beside the host's executable. The tests compare the lines.
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>
#include <stdarg.h>

#include "host_contract.h"

extern "C" {
int CALLBACK ProbeMessageHook(MSG *msg);
int CALLBACK ProbeEvent(HWND host_window, int event_code);
const GPluginRecord *GetGPluginInfo(void);
}

namespace {

const GPluginRecord kRecord = {0, ProbeMessageHook, ProbeEvent};
HWND InitListOwner;

void Log(const char *format, ...) {
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, MAX_PATH);
    PathRemoveFileSpecA(path);
    PathAppendA(path, "contract_probe.log");
    char line[1024];
    va_list arguments;
    va_start(arguments, format);
    int length = wvsprintfA(line, format, arguments);
    va_end(arguments);
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, length, &written, NULL);
    WriteFile(file, "\n", 1, &written, NULL);
    CloseHandle(file);
}

HWND QueryListOwner(HWND host_window) {
    return reinterpret_cast<HWND>(
        SendMessageA(host_window, WM_HOST_QUERYWINDOW, HOSTWINDOW_LISTOWNER, HOSTWINDOW_LISTOWNER));
}

BOOL CALLBACK FindList(HWND window, LPARAM found) {
    char class_name[64] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (lstrcmpiA(class_name, WC_LISTVIEWA) != 0) return TRUE;
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
}

// 1 when owner is the window that gets the notifications of the host's list-view.
int OwnsTheList(HWND host_window, HWND owner) {
    HWND list = NULL;
    EnumChildWindows(host_window, FindList, reinterpret_cast<LPARAM>(&list));
    return list != NULL && owner != NULL && GetParent(list) == owner;
}

}  // namespace

const GPluginRecord *GetGPluginInfo(void) { return &kRecord; }

int CALLBACK ProbeMessageHook(MSG *msg) {
    if (msg->message == WM_HOST_PLUGINNOTIFY)
        Log("hook notify wparam=%d lparam=%d", static_cast<int>(msg->wParam),
            static_cast<int>(msg->lParam));
    return 0;
}

int CALLBACK ProbeEvent(HWND host_window, int event_code) {
    char class_name[64] = "";
    GetClassNameA(host_window, class_name, sizeof class_name);
    if (event_code == GPEVENT_INIT) {
        InitListOwner = QueryListOwner(host_window);
        // Any other request names no window.
        LRESULT other = SendMessageA(host_window, WM_HOST_QUERYWINDOW, HOSTWINDOW_LISTOWNER, 0);
        Log("init class=%s owns_list=%d other_query=%d", class_name,
            OwnsTheList(host_window, InitListOwner), other == 0 ? 0 : 1);
    } else if (event_code == GPEVENT_QUIT) {
        Log("quit alive=%d same_owner=%d", IsWindow(host_window) ? 1 : 0,
            QueryListOwner(host_window) == InitListOwner ? 1 : 0);
    } else {
        Log("event %d", event_code);
    }
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    // FreeLibrary detaches with reserved NULL; the end of the process without it, non-NULL.
    if (reason == DLL_PROCESS_DETACH) Log("detach by_freelibrary=%d", reserved == NULL ? 1 : 0);
    return TRUE;
}
