#include "list_windows.h"

#include <commctrl.h>
#include <stdio.h>

namespace {

enum { TEXT_CAPACITY = 32 };
enum { SAMPLE_INSET = 4 };  // from the right end of a row's first cell

void AddColumns(HWND list, int columns, int column_width) {
    for (int c = 0; c < columns; ++c) {
        char title[TEXT_CAPACITY];
        snprintf(title, sizeof title, "Column %d", c + 1);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = column_width;
        column.pszText = title;
        column.iSubItem = c;
        SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
}

}  // namespace

BOOL RegisterWindowClass(const char *class_name, WNDPROC procedure, HBRUSH background) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleA(NULL);
    window_class.hCursor = LoadCursor(NULL, IDC_ARROW);
    window_class.hbrBackground = background;
    window_class.lpszClassName = class_name;
    return RegisterClassA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void PumpMessages(DWORD milliseconds) {
    DWORD until = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (milliseconds != 0) Sleep(5);
    } while (static_cast<LONG>(until - GetTickCount()) > 0);
}

// Every cell holds text, so that each row costs the list what a filled row costs. The list does
// not redraw while it is filled: each insertion would otherwise repaint and rescroll it.
void FillReportList(HWND list, int rows, int columns, int column_width) {
    AddColumns(list, columns, column_width);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, rows, 0);
    for (int r = 0; r < rows; ++r) {
        char text[TEXT_CAPACITY];
        snprintf(text, sizeof text, "Item %d", r);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = text;
        int index = static_cast<int>(
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c < columns; ++c) {
            snprintf(text, sizeof text, "Cell %d.%d", r, c);
            item.iItem = index;
            item.iSubItem = c;
            SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

NMLVCUSTOMDRAW CustomDrawRecord(HWND list, DWORD stage, DWORD_PTR row, RowColors filled_in,
                                UINT_PTR id) {
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr.hwndFrom = list;
    draw.nmcd.hdr.idFrom = id;
    draw.nmcd.hdr.code = NM_CUSTOMDRAW;
    draw.nmcd.dwDrawStage = stage;
    draw.nmcd.dwItemSpec = row;
    draw.clrText = filled_in.text;
    draw.clrTextBk = filled_in.background;
    return draw;
}

BOOL IsCustomDrawStage(UINT message, LPARAM lparam, DWORD stage) {
    const NMCUSTOMDRAW *draw = reinterpret_cast<const NMCUSTOMDRAW *>(lparam);
    return message == WM_NOTIFY && draw != NULL &&
           draw->hdr.code == static_cast<UINT>(NM_CUSTOMDRAW) && draw->dwDrawStage == stage;
}

POINT RowSamplePoint(HWND list, int row) {
    RECT label = {};
    label.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
    POINT point = {label.right - SAMPLE_INSET, (label.top + label.bottom) / 2};
    return point;
}

COLORREF RowPixel(HWND list, int row) {
    POINT point = RowSamplePoint(list, row);
    HDC dc = GetDC(list);
    COLORREF color = GetPixel(dc, point.x, point.y);
    ReleaseDC(list, dc);
    return color;
}
