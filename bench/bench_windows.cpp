#include "bench_windows.h"

#include <windows.h>
#include <commctrl.h>

volatile LONG FrameItemNotifications;

namespace {

const char kFrameClass[] = "AltRowTintBenchFrame";
const int kColumnWidth = 110;

// The frame leaves custom drawing to the list, as a host that draws nothing itself: it answers
// every custom-draw stage with the default and only counts the rows it is asked about.
LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (IsCustomDrawStage(message, lparam, CDDS_ITEMPREPAINT)) {
        FrameItemNotifications = FrameItemNotifications + 1;
    }
    return message == WM_NOTIFY ? CDRF_DODEFAULT : DefWindowProcA(window, message, wparam, lparam);
}

// Height of the frame's client area for `visible_rows` rows under the header, at most the
// screen's height.
int HeightFor(HWND list, int visible_rows) {
    RECT row = {};
    row.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    int wanted = row.top + visible_rows * (row.bottom - row.top);
    int screen = GetSystemMetrics(SM_CYSCREEN);
    return wanted < screen ? wanted : screen;
}

}  // namespace

BOOL CreateBenchList(BenchList *bench, int rows, int columns, int visible_rows) {
    if (!RegisterWindowClass(kFrameClass, FrameProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)))
        return FALSE;
    HINSTANCE instance = GetModuleHandleA(NULL);
    int width = columns * kColumnWidth + GetSystemMetrics(SM_CXVSCROLL) + 4;
    bench->frame = CreateWindowExA(0, kFrameClass, "altrowtint bench", WS_POPUP | WS_VISIBLE, 0, 0,
                                   width, 100, NULL, NULL, instance, NULL);
    if (bench->frame == NULL) return FALSE;
    bench->list = CreateWindowExA(
        0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, width, 100, bench->frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(BENCH_LIST_ID)), instance, NULL);
    if (bench->list == NULL) return FALSE;
    bench->button = CreateWindowExA(0, "BUTTON", "button", WS_CHILD | BS_PUSHBUTTON, 0, 0, 80, 24,
                                    bench->frame, NULL, instance, NULL);
    if (bench->button == NULL) return FALSE;
    FillReportList(bench->list, rows, columns, kColumnWidth);
    int height = HeightFor(bench->list, visible_rows);
    MoveWindow(bench->frame, 0, 0, width, height, TRUE);
    MoveWindow(bench->list, 0, 0, width, height, TRUE);
    PumpMessages();
    bench->rows = static_cast<int>(SendMessageA(bench->list, LVM_GETITEMCOUNT, 0, 0));
    bench->columns = columns;
    bench->visible_rows = static_cast<int>(SendMessageA(bench->list, LVM_GETCOUNTPERPAGE, 0, 0));
    return bench->rows == rows;
}

void DestroyBenchList(BenchList *bench) {
    if (bench->frame != NULL) DestroyWindow(bench->frame);
    bench->frame = NULL;
    bench->list = NULL;
}

WNDPROC SubclassWith(HWND window, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc)));
}
