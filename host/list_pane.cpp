#include "list_pane.h"

#include <commctrl.h>

#include "list_data.h"

namespace {

const char kPaneClass[] = "RefHostListPane";
enum { IDC_INVENTORY_LIST = 1 };
// Sampling point: this far inside the right edge of a row's first cell, clear of its text.
enum { SAMPLE_INSET = 4 };

LRESULT CALLBACK ListPaneProc(HWND pane, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_SIZE:
        MoveWindow(ListOfPane(pane), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(ListOfPane(pane));
        return 0;
    default:
        // The list's notifications end here; plug-ins that subclass the pane see them first.
        return DefWindowProcA(pane, message, wparam, lparam);
    }
}

BOOL RegisterPaneClass(HINSTANCE instance) {
    WNDCLASSA window_class = {};
    if (GetClassInfoA(instance, kPaneClass, &window_class)) return TRUE;
    window_class.lpfnWndProc = ListPaneProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursor(NULL, IDC_ARROW);
    window_class.lpszClassName = kPaneClass;
    return RegisterClassA(&window_class) != 0;
}

HWND CreateInventoryList(HWND pane, HINSTANCE instance) {
    HWND list = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 0, 0, pane,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_INVENTORY_LIST)), instance, NULL);
    if (list == NULL) return NULL;
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    FillInventoryList(list);
    return list;
}

// TRUE when the whole row lies in the list's client area below the header.
BOOL RowOnScreen(HWND list, const RECT &row) {
    RECT client;
    GetClientRect(list, &client);
    RECT header = {};
    HWND header_window = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    if (header_window != NULL) GetWindowRect(header_window, &header);
    return row.top >= header.bottom - header.top && row.bottom <= client.bottom &&
           row.right - SAMPLE_INSET > client.left && row.right - SAMPLE_INSET < client.right;
}

}  // namespace

HWND CreateListPane(HWND parent, HINSTANCE instance) {
    if (!RegisterPaneClass(instance)) return NULL;
    HWND pane = CreateWindowExA(0, kPaneClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0,
                                0, parent, NULL, instance, NULL);
    if (pane == NULL) return NULL;
    if (CreateInventoryList(pane, instance) == NULL) {
        DestroyWindow(pane);
        return NULL;
    }
    return pane;
}

HWND ListOfPane(HWND pane) { return GetDlgItem(pane, IDC_INVENTORY_LIST); }

COLORREF SampleRowBackground(HWND list, int row, RowSampleMode mode) {
    if (mode == ROWSAMPLE_REPAINTED) {
        RedrawWindow(list, NULL, NULL,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    } else {
        UpdateWindow(list);
    }
    RECT cell = {};
    cell.left = LVIR_LABEL;
    if (!SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) {
        return CLR_INVALID;
    }
    if (!RowOnScreen(list, cell)) return CLR_INVALID;
    HDC dc = GetDC(list);
    COLORREF color = GetPixel(dc, cell.right - SAMPLE_INSET, (cell.top + cell.bottom) / 2);
    ReleaseDC(list, dc);
    return color;
}
