#include "settings_page.h"

#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>
#include <strsafe.h>
#include <windowsx.h>

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
enum { CAPTION_CAPACITY = 64, MESSAGE_CAPACITY = 1024, CLASS_NAME_CAPACITY = 256 };
const wchar_t kParagraphBreak[] = L"\n\n";

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

// What one page window works on, from its WM_INITDIALOG to its WM_DESTROY. Each page owns its
// own: a host may hold two settings dialogs at once, or destroy a closed one only after it
// opened the next.
struct PageState {
    RowColorSettings stored;
    COLORREF working[PAGE_ROW_COUNT];
    HBRUSH brushes[PAGE_ROW_COUNT];
};

PageState *StateOf(HWND page) {
    return reinterpret_cast<PageState *>(GetWindowLongPtrW(page, DWLP_USER));
}

int CheckState(HWND page, const PageRow &row) {
    return Button_GetCheck(GetDlgItem(page, row.check_id));
}

// A flag means on or off, whatever nonzero number the file gave it.
BOOL IsOn(int flag) { return flag != 0; }

void ReplaceBrush(PageState *state, int index) {
    if (state->brushes[index] != NULL) DeleteObject(state->brushes[index]);
    state->brushes[index] = CreateSolidBrush(state->working[index]);
}

// Returns the page's state, allocated on the first WM_INITDIALOG; NULL when there is no memory.
PageState *CreateState(HWND page) {
    PageState *state = StateOf(page);
    if (state != NULL) return state;  // a second WM_INITDIALOG loads afresh into the same state
    state = static_cast<PageState *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof *state));
    if (state != NULL) SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    return state;
}

// Deletes what this page created, once: a stray second WM_DESTROY finds no state left.
void DestroyState(HWND page, PageState *state) {
    for (HBRUSH brush : state->brushes) {
        if (brush != NULL) DeleteObject(brush);
    }
    SetWindowLongPtrW(page, DWLP_USER, 0);
    HeapFree(GetProcessHeap(), 0, state);
}

// Shows the stored settings: the check boxes, and the swatches whose colour differs from them
// (all of them the first time, when no swatch has a brush yet).
void ShowStored(HWND page, PageState *state) {
    BOOL repaint = FALSE;
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) {
        const PageRow &row = kPageRows[i];
        // Any nonzero flag counts as on; the box shows exactly what an apply would write.
        Button_SetCheck(GetDlgItem(page, row.check_id),
                        IsOn(state->stored.*row.flag) ? BST_CHECKED : BST_UNCHECKED);
        if (state->brushes[i] != NULL && state->working[i] == state->stored.*row.color) continue;
        state->working[i] = state->stored.*row.color;
        ReplaceBrush(state, i);
        repaint = TRUE;
    }
    if (repaint) InvalidateRect(page, NULL, TRUE);
}

void InitPage(HWND page, PageState *state) {
    LoadSettings(&state->stored);  // afresh for every page created
    ShowStored(page, state);
}

INT_PTR SwatchBrushFor(const PageState *state, HWND control) {
    int id = GetDlgCtrlID(control);
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) {
        if (kPageRows[i].swatch_id == id) return reinterpret_cast<INT_PTR>(state->brushes[i]);
    }
    return FALSE;
}

void OnCommand(HWND page, PageState *state, int control_id) {
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) {
        if (kPageRows[i].pick_id != control_id) continue;
        COLORREF picked = state->working[i];
        BOOL confirmed = PickColor(page, &picked);
        // The chooser's modal loop goes on dispatching the host's messages: the host may have
        // removed the page meanwhile, and its state is then freed. Nothing more happens for a
        // page that is gone: no brush, no colour, no word to the frame.
        state = StateOf(page);
        if (state == NULL) return;
        if (confirmed) {
            state->working[i] = picked;
            ReplaceBrush(state, i);
            InvalidateRect(page, NULL, TRUE);
        }
    }
    // Every command, chosen or cancelled, tells the frame whether Apply has anything to do.
    if (IsPageChanged(page)) {
        PropSheet_Changed(GetParent(page), page);
    } else {
        PropSheet_UnChanged(GetParent(page), page);
    }
}

// Appends the system's own words for error, in the user's language, on a paragraph of its own;
// nothing when the failed write left no error to tell ("the operation completed successfully").
void AppendSystemReason(wchar_t *text, DWORD error) {
    if (error == ERROR_SUCCESS) return;
    wchar_t reason[MESSAGE_CAPACITY] = L"";
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                                  error, 0, reason, MESSAGE_CAPACITY, NULL);
    while (length > 0 && (reason[length - 1] == L'\n' || reason[length - 1] == L'\r')) {
        reason[--length] = L'\0';
    }
    if (length == 0) return;
    StringCchCatW(text, MESSAGE_CAPACITY, kParagraphBreak);
    StringCchCatW(text, MESSAGE_CAPACITY, reason);
}

// Tells the user, in a box the page owns, that nothing was saved, which file refused and why.
void ReportFailedSave(HWND page, DWORD error) {
    HINSTANCE module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(page, GWLP_HINSTANCE));
    wchar_t path[MAX_PATH], caption[CAPTION_CAPACITY] = L"", text[MESSAGE_CAPACITY] = L"";
    BOOL have_path = GetSettingsPath(path);
    LoadStringW(module, IDS_SAVE_FAILED_CAPTION, caption, CAPTION_CAPACITY);
    LoadStringW(module, have_path ? IDS_SAVE_FAILED : IDS_SAVE_FAILED_NO_PATH, text,
                MESSAGE_CAPACITY);
    if (have_path) {
        StringCchCatW(text, MESSAGE_CAPACITY, path);  // the text ends on its own line
        AppendSystemReason(text, error);
    }
    MessageBoxW(page, text, caption, MB_ICONERROR | MB_OK);
}

// What an apply writes for one key: the page's value where its user changed the key, or where
// the file still holds what the page read; the file's own where another writer changed it since
// (another settings dialog's apply, another instance's stop), whose choice a page that never
// touched the key must not undo.
UINT MergedValue(UINT shown, UINT read, UINT now, BOOL changed_here) {
    return changed_here || now == read ? shown : now;
}

RowColorSettings MergeWithFile(HWND page, const PageState *state) {
    RowColorSettings now;
    // No file to read, or none to be had: nobody else's choice to keep.
    if (LoadSettings(&now) != SETTINGS_FROM_FILE) now = state->stored;
    RowColorSettings chosen = now;
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) {
        const PageRow &row = kPageRows[i];
        int check = CheckState(page, row), read = state->stored.*row.flag;
        // A flag goes out as its box shows it: a stored 2 left ticked becomes 1.
        chosen.*row.flag =
            static_cast<int>(MergedValue(check, read, now.*row.flag, IsOn(check) != IsOn(read)));
        COLORREF working = state->working[i], read_color = state->stored.*row.color;
        chosen.*row.color = MergedValue(working, read_color, now.*row.color, working != read_color);
    }
    return chosen;
}

// The stored settings catch up only once the file holds the page's state: after a failed save
// the page still differs from them, so Apply stays on and the user can try again. After a save
// the page shows what the file now holds, another writer's choices included.
// Another instance's apply or stop never comes between the read and the write.
BOOL ApplyPage(HWND page, PageState *state) {
    HANDLE lock = LockSettingsFile();
    RowColorSettings chosen = MergeWithFile(page, state);
    BOOL saved = SaveSettings(&chosen);
    UnlockSettingsFile(lock);
    if (!saved) {
        ReportFailedSave(page, GetLastError());
        return FALSE;
    }
    state->stored = chosen;
    ShowStored(page, state);
    NotifyHostSettingsChanged();
    return TRUE;
}

// OK and Apply both arrive as PSN_APPLY; a wizard's Finish arrives as PSN_WIZFINISH alone, and
// saves the same. The result stays at the dialog's default 0 (apply accepted, finish allowed,
// other notifications answered by default) unless the save failed: then OK leaves the dialog
// open and the frame does not count the page as applied, and the wizard stays open on the page.
void OnNotify(HWND page, PageState *state, const NMHDR *header) {
    if (header == NULL) return;
    if (header->code == static_cast<UINT>(PSN_APPLY) && !ApplyPage(page, state)) {
        SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_INVALID_NOCHANGEPAGE);
    }
    if (header->code == static_cast<UINT>(PSN_WIZFINISH) && !ApplyPage(page, state)) {
        SetWindowLongPtrW(page, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(page));
    }
}

// Posts the reload to one top-level window when it is a host's main window.
BOOL CALLBACK PostReloadToHost(HWND window, LPARAM) {
    char class_name[CLASS_NAME_CAPACITY];
    if (GetClassNameA(window, class_name, CLASS_NAME_CAPACITY) > 0 &&
        lstrcmpiA(class_name, HOST_WINDOW_CLASS) == 0) {
        PostMessageA(window, WM_HOST_PLUGINNOTIFY, PLUGINNOTIFY_RELOADSETTINGS, 0);
    }
    return TRUE;  // on to the next window, whatever became of this one
}

}  // namespace

int IsPageChanged(HWND page) {
    const PageState *state = StateOf(page);
    if (state == NULL) return 0;
    for (int i = 0; i < PAGE_ROW_COUNT; ++i) {
        // A stored 2 and a ticked box both mean on.
        if (IsOn(state->stored.*kPageRows[i].flag) != IsOn(CheckState(page, kPageRows[i]))) {
            return 1;
        }
        if (state->stored.*kPageRows[i].color != state->working[i]) return 1;
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
// the others, which may share the same file. The platform lists the top-level windows once, so
// a host window that goes away meanwhile costs no other instance its notice.
void NotifyHostSettingsChanged(void) { EnumWindows(PostReloadToHost, 0); }

INT_PTR CALLBACK SettingsPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        PageState *state = CreateState(page);
        if (state != NULL) InitPage(page, state);
        return TRUE;
    }
    // Before WM_INITDIALOG and after WM_DESTROY the page has no state: the dialog's defaults.
    PageState *state = StateOf(page);
    if (state == NULL) return FALSE;
    switch (message) {
    case WM_CTLCOLORSTATIC:
        return SwatchBrushFor(state, reinterpret_cast<HWND>(lparam));
    case WM_COMMAND:
        OnCommand(page, state, LOWORD(wparam));
        return TRUE;
    case WM_NOTIFY:
        OnNotify(page, state, reinterpret_cast<const NMHDR *>(lparam));
        return TRUE;
    case WM_DESTROY:
        DestroyState(page, state);
        return TRUE;
    default:
        return FALSE;
    }
}
