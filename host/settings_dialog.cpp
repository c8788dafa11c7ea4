#include "settings_dialog.h"

#include <commctrl.h>
#include <prsht.h>

#include "console_output.h"
#include "main_window.h"
#include "plugins.h"

namespace {

const char kDialogCaption[] = "Settings";
const char kPagesStatusFormat[] = "Settings pages: %s";
enum { MAX_SETTINGS_PAGES = 16, PATHS_CAPACITY = 512 };
enum { STATUS_CAPACITY = PATHS_CAPACITY + 32 };

HWND Sheet;

// OK and Cancel end a modeless sheet without destroying it; its current page is gone then.
void DestroySheetIfEnded(void) {
    if (Sheet != NULL && PropSheet_GetCurrentPageHwnd(Sheet) == NULL) CloseSettingsDialog();
}

}  // namespace

void OpenSettingsDialog(HWND owner) {
    DestroySheetIfEnded();
    if (Sheet != NULL) {
        SetForegroundWindow(Sheet);
        return;
    }
    HPROPSHEETPAGE pages[MAX_SETTINGS_PAGES];
    char paths[PATHS_CAPACITY];
    int count = CollectSettingsPages(pages, MAX_SETTINGS_PAGES, paths, PATHS_CAPACITY);
    if (count == 0) {
        ShowStatus("No plug-in offers a settings page");
        return;
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    header.pszCaption = kDialogCaption;
    header.nPages = count;
    header.phpage = pages;
    // The sheet owns the pages from here on, and destroys them with itself.
    INT_PTR result = PropertySheetA(&header);
    if (result == 0 || result == -1) {
        ReportProblem("the settings dialog could not be created");
        return;
    }
    Sheet = reinterpret_cast<HWND>(result);
    char status[STATUS_CAPACITY];
    wsprintfA(status, kPagesStatusFormat, paths);
    ShowStatus(status);
}

BOOL RouteSettingsDialogMessage(MSG *msg) {
    if (Sheet == NULL) return FALSE;
    BOOL taken = PropSheet_IsDialogMessage(Sheet, msg);
    DestroySheetIfEnded();
    return taken;
}

void CloseSettingsDialog(void) {
    if (Sheet == NULL) return;
    DestroyWindow(Sheet);
    Sheet = NULL;
}

HWND SettingsDialogWindow(void) {
    DestroySheetIfEnded();
    return Sheet;
}
