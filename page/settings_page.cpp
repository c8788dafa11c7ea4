#include "settings_page.h"

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>
#include <strsafe.h>

#include "host_contract.h"
#include "page_resource.h"
#include "settings.h"

namespace {

// One row of the page: a flag's check box, its colour's swatch and pick button, and where the
// pair lives in RowColorSettings. The order is the order of every load, store and comparison.
struct PageRow {
    int check_id;
    int swatch_id;
    int pick_id;
    int RowColorSettings::*flag;
    COLORREF RowColorSettings::*color;
};

enum { PAGE_ROW_COUNT = 4, CUSTOM_COLOR_COUNT = 16 };
enum { CAPTION_CAPACITY = 64, MESSAGE_CAPACITY = 1024 };

const PageRow kPageRows[PAGE_ROW_COUNT] = {
    {IDC_TEXT1_ENABLE, IDC_TEXT1_SWATCH, IDC_TEXT1_PICK, &RowColorSettings::TextColor1Enable,
     &RowColorSettings::TextColor1},
    {IDC_TEXT2_ENABLE, IDC_TEXT2_SWATCH, IDC_TEXT2_PICK, &RowColorSettings::TextColor2Enable,
     &RowColorSettings::TextColor2},
    {IDC_BK1_ENABLE, IDC_BK1_SWATCH, IDC_BK1_PICK, &RowColorSettings::TextBkColor1Enable,
     &RowColorSettings::TextBkColor1},
    {IDC_BK2_ENABLE, IDC_BK2_SWATCH, IDC_BK2_PICK, &RowColorSettings::TextBkColor2Enable,
     &RowColorSettings::TextBkColor2},
};

// Module state: one page exists at a time.
RowColorSettings StoredSettings;
COLORREF WorkingColors[PAGE_ROW_COUNT];
HBRUSH SwatchBrushes[PAGE_ROW_COUNT];  // owned from WM_INITDIALOG to WM_DESTROY

int CheckState(HWND page, const PageRow &row) {
    return static_cast<int>(SendDlgItemMessageA(page, row.check_id, BM_GETCHECK, 0, 0));
}

void ReplaceBrush(int index) {
    if (SwatchBrushes[index] != NULL) DeleteObject(SwatchBrushes[index]);
    SwatchBrushes[index] = CreateSolidBrush(WorkingColors[index]);
}

// Deletes only what this page created, once: a stray second WM_DESTROY finds nothing left.
void DeleteBrushes(void) {
    for (HBRUSH &brush : SwatchBrushes) {
        if (brush != NULL) DeleteObject(brush);
        brush = NULL;
    }
}

void InitPage(HWND page) {
    LoadSettings(&StoredSettings);  // afresh for every page created
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) WorkingColors[i] = StoredSettings.*kPageRows[i].color;
    // Any nonzero flag counts as on; the box shows exactly what an apply would write.
    for (const PageRow &row : kPageRows) {
        WPARAM state = StoredSettings.*row.flag != 0 ? BST_CHECKED : BST_UNCHECKED;
        SendDlgItemMessageA(page, row.check_id, BM_SETCHECK, state, 0);
    }
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) ReplaceBrush(i);
}

INT_PTR SwatchBrushFor(HWND control) {
    int id = GetDlgCtrlID(control);
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) {
        if (kPageRows[i].swatch_id == id) return reinterpret_cast<INT_PTR>(SwatchBrushes[i]);
    }
    return FALSE;
}

void OnCommand(HWND page, int control_id) {
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) {
        if (kPageRows[i].pick_id == control_id && PickColor(page, &WorkingColors[i])) {
            ReplaceBrush(i);
            InvalidateRect(page, NULL, TRUE);
        }
    }
    // Every command, chosen or cancelled, tells the frame whether Apply has anything to do.
    UINT verdict = IsPageChanged(page) ? PSM_CHANGED : PSM_UNCHANGED;
    SendMessageA(GetParent(page), verdict, reinterpret_cast<WPARAM>(page), 0);
}

// Tells the user, in a box the page owns, that nothing was saved and which file refused.
void ReportFailedSave(HWND page) {
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
    wchar_t path[MAX_PATH], caption[CAPTION_CAPACITY] = L"", text[MESSAGE_CAPACITY] = L"";
    BOOL have_path = GetSettingsPath(path);
    LoadStringW(module, IDS_SAVE_FAILED_CAPTION, caption, CAPTION_CAPACITY);
    LoadStringW(module, have_path ? IDS_SAVE_FAILED : IDS_SAVE_FAILED_NO_PATH, text,
                MESSAGE_CAPACITY);
    if (have_path) StringCchCatW(text, MESSAGE_CAPACITY, path);  // the text ends on its own line
    MessageBoxW(page, text, caption, MB_ICONERROR | MB_OK);
}

// The stored settings catch up only once the file holds the page's state: after a failed save
// the page still differs from them, so Apply stays on and the user can try again.
BOOL ApplyPage(HWND page) {
    RowColorSettings chosen = StoredSettings;
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) {
        chosen.*kPageRows[i].flag = CheckState(page, kPageRows[i]);
        chosen.*kPageRows[i].color = WorkingColors[i];
    }
    if (!SaveSettings(&chosen)) {
        ReportFailedSave(page);
        return FALSE;
    }
    StoredSettings = chosen;
    NotifyHostSettingsChanged();
    return TRUE;
}

}  // namespace

int IsPageChanged(HWND page) {
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) {
        if (StoredSettings.*kPageRows[i].flag != CheckState(page, kPageRows[i])) return 1;
        if (StoredSettings.*kPageRows[i].color != WorkingColors[i]) return 1;
    }
    return 0;
}

int PickColor(HWND owner, COLORREF *color) {
    COLORREF custom_colors[CUSTOM_COLOR_COUNT] = {0};  // fresh every time: none remembered
    CHOOSECOLORA chooser;
    ZeroMemory(&chooser, sizeof chooser);
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.rgbResult = *color;
    chooser.lpCustColors = custom_colors;
    chooser.Flags = CC_RGBINIT;
    if (!ChooseColorA(&chooser)) return 0;
    *color = chooser.rgbResult;
    return 1;
}

// Every instance of the host hears it: this one, wherever its window lies among the others, and
// the others, which may share the same file.
void NotifyHostSettingsChanged(void) {
    for (HWND host = FindWindowExA(NULL, NULL, HOST_WINDOW_CLASS, NULL); host != NULL;
         host = FindWindowExA(NULL, host, HOST_WINDOW_CLASS, NULL)) {
        if (IsWindow(host))
            PostMessageA(host, WM_HOST_PLUGINNOTIFY, PLUGINNOTIFY_RELOADSETTINGS, 0);
    }
}

INT_PTR CALLBACK SettingsPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        InitPage(page);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return SwatchBrushFor(reinterpret_cast<HWND>(lparam));
    case WM_COMMAND:
        OnCommand(page, LOWORD(wparam));
        return TRUE;
    case WM_NOTIFY: {
        // OK and Apply both arrive as PSN_APPLY. The result stays at the dialog's default 0
        // (apply accepted, other notifications answered by default) unless the save failed:
        // then OK leaves the dialog open and the frame does not count the page as applied.
        const NMHDR *header = reinterpret_cast<const NMHDR *>(lparam);
        if (header != NULL && header->code == static_cast<UINT>(PSN_APPLY) && !ApplyPage(page)) {
            SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
        }
        return TRUE;
    }
    case WM_DESTROY:
        DeleteBrushes();
        return TRUE;
    default:
        return FALSE;
    }
}
