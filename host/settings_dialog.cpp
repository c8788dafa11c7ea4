#include "settings_dialog.h"

#include <commctrl.h>
#include <prsht.h>

#include "console_output.h"
#include "host_resource.h"
#include "host_text.h"
#include "main_window.h"
#include "plugins.h"
#include "text_format.h"

#include <string>
#include <vector>

namespace {

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
    std::wstring paths, problems;
    std::vector<HPROPSHEETPAGE> pages = CollectSettingsPages(&paths, &problems);
    if (pages.empty()) {
        ShowStatus(problems);
        return;
    }
    const std::wstring caption = HostText(IDS_SETTINGS_CAPTION, READER_USER);
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.phpage = pages.data();
    // The sheet owns the pages from here on, and destroys them with itself.
    INT_PTR result = PropertySheetW(&header);
    if (result == 0 || result == -1) {
        ShowStatus(ReportProblem(IDS_SETTINGS_DIALOG_FAILED));
        return;
    }
    Sheet = reinterpret_cast<HWND>(result);
    std::wstring status = HostText(IDS_STATUS_SETTINGS_PAGES, READER_USER, {paths});
    AppendListItem(&status, HostText(IDS_STATUS_SEPARATOR, READER_USER), problems);
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
