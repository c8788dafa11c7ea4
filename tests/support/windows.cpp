#include "test_support.h"

namespace {
const char kRecorderClass[] = "AltRowTintTestRecorder";
const char kListHostClass[] = "AltRowTintTestListHost";

void RegisterTestClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = RecordingProc;
    window_class.hInstance = GetModuleHandleA(NULL);
    window_class.hCursor = LoadCursor(NULL, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = kRecorderClass;
    RegisterClassA(&window_class);
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.lpszClassName = kListHostClass;
    RegisterClassA(&window_class);
}
}  // namespace

std::vector<RecordedMessage> &Recorded() {
    static std::vector<RecordedMessage> messages;
    return messages;
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    Recorded().push_back({window, message, wparam, lparam});
    if (message == WM_NCCREATE) return TRUE;  // let the window be created
    if (message == WM_PAINT || message == WM_ERASEBKGND || message == WM_NCPAINT ||
        message == WM_NCCALCSIZE || message == WM_WINDOWPOSCHANGED) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    return kRecorderResult;
}

std::vector<RecordedMessage> RecordedOf(UINT message) {
    std::vector<RecordedMessage> found;
    for (const RecordedMessage &m : Recorded()) {
        if (m.message == message) found.push_back(m);
    }
    return found;
}

HWND CreateRecorderWindow(HWND parent) {
    RegisterTestClasses();
    DWORD style = parent != NULL ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
    return CreateWindowExA(0, kRecorderClass, "recorder", style, 0, 0, 200, 100, parent, NULL,
                           GetModuleHandleA(NULL), NULL);
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

HWND CreateReportList(int rows, const char *class_name) {
    RegisterTestClasses();
    HWND frame = CreateWindowExA(0, kListHostClass, "list", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                 NULL, NULL, GetModuleHandleA(NULL), NULL);
    HWND list = CreateWindowExA(0, class_name, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 400,
                                300, frame, NULL, GetModuleHandleA(NULL), NULL);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 150;
    column.pszText = const_cast<char *>("Name");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    for (int i = 0; i < rows; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char *>("x");
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return list;
}

COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

COLORREF RowBackground(HWND list, int row) {
    RedrawWindow(list, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    RECT bounds = {};
    bounds.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    return PixelAt(list, bounds.right - 4, (bounds.top + bounds.bottom) / 2);
}
