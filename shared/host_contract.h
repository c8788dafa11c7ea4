// The contract between a host application and its plug-ins: message numbers, values, event
// codes, names and the records that the plug-ins hand out. Every number of the contract is
// spelled here and nowhere else; the plug-ins, the reference host and the tests include it.
#ifndef ALTROWTINT_HOST_CONTRACT_H
#define ALTROWTINT_HOST_CONTRACT_H

#include <windows.h>
#include <prsht.h>
#include <stddef.h>

// Sent by the painter to the host window: "which window receives the list's notifications?"
enum { WM_HOST_QUERYWINDOW = WM_USER + 2 };  // 1026
enum { HOSTWINDOW_LISTOWNER = 108 };         // wParam and lParam of WM_HOST_QUERYWINDOW

// Posted by the settings page to the host's main window after it saved the settings file;
// the host hands it to every general plug-in's message hook.
enum { WM_HOST_PLUGINNOTIFY = WM_USER + 88 };  // 1112
enum { PLUGINNOTIFY_RELOADSETTINGS = 102 };    // wParam of WM_HOST_PLUGINNOTIFY

// Event codes of a general plug-in's event callback.
enum { GPEVENT_INIT = 0, GPEVENT_QUIT = 1 };

// The host's main window class; the page finds the host by it, with no window title.
#define HOST_WINDOW_CLASS "Sonkel"

// Plug-in file extensions and the exports the host looks for.
#define GENERAL_PLUGIN_EXTENSION ".sgp"
#define CONFIG_PLUGIN_EXTENSION ".scp"
#define GENERAL_PLUGIN_EXPORT "GetGPluginInfo"
#define CONFIG_PLUGIN_EXPORT "GetCPluginInfo"

// The one settings page a configuration plug-in gives: its (index, kind) pair and its path.
enum { SETTINGS_PAGE_INDEX = 0, SETTINGS_PAGE_KIND = 1 };
#define SETTINGS_PAGE_PATH "plugin/altrowtint"

// Callback types of the records. Callbacks that take arguments use the standard callback
// convention (the callee pops its arguments); the parameterless probe has none to pop.
typedef int(CALLBACK *GPluginMessageHookProc)(MSG *msg);
typedef int(CALLBACK *GPluginEventProc)(HWND host_window, int event_code);
typedef int (*CPluginProbeProc)(void);
typedef HPROPSHEETPAGE(CALLBACK *CPluginPageProc)(int page_index, int page_kind, char *path,
                                                  int capacity);

// Record of a general plug-in: three pointer-sized fields, at offsets 0, 4 and 8 on 32-bit
// Windows and at 0, 8 and 16 on 64-bit Windows.
struct GPluginRecord {
    DWORD_PTR reserved;
    GPluginMessageHookProc message_hook;
    GPluginEventProc event_callback;
};

// Record of a configuration plug-in: four pointer-sized fields, at offsets 0, 4, 8 and 12 on
// 32-bit Windows and at 0, 8, 16 and 24 on 64-bit Windows.
struct CPluginRecord {
    DWORD_PTR reserved0;
    DWORD_PTR reserved1;
    CPluginProbeProc probe;
    CPluginPageProc page_callback;
};

#ifdef _WIN64
static_assert(sizeof(GPluginRecord) == 24 && offsetof(GPluginRecord, message_hook) == 8 &&
                  offsetof(GPluginRecord, event_callback) == 16,
              "a 64-bit host reads three 64-bit fields");
static_assert(sizeof(CPluginRecord) == 32 && offsetof(CPluginRecord, probe) == 16 &&
                  offsetof(CPluginRecord, page_callback) == 24,
              "a 64-bit host reads four 64-bit fields");
#else
static_assert(sizeof(GPluginRecord) == 12 && offsetof(GPluginRecord, message_hook) == 4 &&
                  offsetof(GPluginRecord, event_callback) == 8,
              "the host reads three 32-bit fields");
static_assert(sizeof(CPluginRecord) == 16 && offsetof(CPluginRecord, probe) == 8 &&
                  offsetof(CPluginRecord, page_callback) == 12,
              "the host reads four 32-bit fields");
#endif

typedef const GPluginRecord *(*GetGPluginInfoProc)(void);
typedef const CPluginRecord *(*GetCPluginInfoProc)(void);

#endif
