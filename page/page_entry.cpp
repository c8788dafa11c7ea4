// Entry of the settings page plug-in: its record, the probe and the page callback.
#include <windows.h>
#include <prsht.h>

#include "host_contract.h"
#include "page_resource.h"
#include "settings_page.h"

extern "C" {
int PageProbe(void);
HPROPSHEETPAGE CALLBACK CreateSettingsPage(int page_index, int page_kind, char *path, int capacity);
const CPluginRecord *GetCPluginInfo(void);
}

// PROPSHEETPAGEW_V2_SIZE, which the compiler cannot evaluate here: the record up to the subtitle,
// two 32-bit fields and ten pointers.
#ifdef _WIN64
static_assert(offsetof(PROPSHEETPAGEW, pszHeaderSubTitle) + sizeof(LPCWSTR) == 88,
              "the second version of the page record is 88 bytes on 64-bit Windows");
#else
static_assert(offsetof(PROPSHEETPAGEW, pszHeaderSubTitle) + sizeof(LPCWSTR) == 48,
              "the second version of the page record is 48 bytes");
#endif

static const CPluginRecord CPluginInfo = {0, 0, PageProbe, CreateSettingsPage};

// The module whose resources hold the page's dialog template.
static HINSTANCE ModuleInstance;

const CPluginRecord *GetCPluginInfo(void) { return &CPluginInfo; }

int PageProbe(void) { return 1; }

HPROPSHEETPAGE CALLBACK CreateSettingsPage(int page_index, int page_kind, char *path,
                                           int capacity) {
    if (page_kind != SETTINGS_PAGE_KIND || page_index != SETTINGS_PAGE_INDEX) return NULL;
    // A missing or empty buffer is left alone; the copy never writes past capacity.
    // A bounded copy: at most capacity - 1 characters and the terminating zero.
    if (path != NULL && capacity >= 1) lstrcpynA(path, SETTINGS_PAGE_PATH, capacity);

    // The wide page makes a wide dialog: the template's Japanese labels reach the controls
    // unchanged, whatever the system's ANSI code page.
    PROPSHEETPAGEW page;
    ZeroMemory(&page, sizeof page);
    page.dwSize = PROPSHEETPAGEW_V2_SIZE;  // the record's second version, as hosts expect
    page.dwFlags = PSP_DEFAULT;            // the tab shows the template's caption
    page.hInstance = ModuleInstance;
    page.pszTemplate = MAKEINTRESOURCEW(IDD_SETTINGSPAGE);
    page.pfnDlgProc = SettingsPageProc;
    return CreatePropertySheetPageW(&page);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ModuleInstance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
