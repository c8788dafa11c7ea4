#include "test_support.h"

#include <colordlg.h>

namespace {
const char kRecorderClass[] = "AltRowTintTestRecorder";
const char kListHostClass[] = "AltRowTintTestListHost";
const int kTestColumnWidth = 150;

void RegisterTestClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterWindowClass(kRecorderClass, RecordingProc, background);
    RegisterWindowClass(kListHostClass, DefWindowProcA, background);
}
}  // namespace

// The messages that tables speak of: what tests and plug-ins send. Everything else comes from the
// window manager (creation, activation, painting) at times no test decides, and goes unlogged.
static bool IsLoggedMessage(UINT message) {
    return message >= WM_USER || message == WM_NOTIFY || message == WM_COMMAND ||
           message == WM_SETTEXT;
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) return TRUE;  // let the window be created
    if (message == WM_PAINT || message == WM_ERASEBKGND || message == WM_NCPAINT ||
        message == WM_NCCALCSIZE || message == WM_WINDOWPOSCHANGED) {
        return DefWindowProcA(window, message, wparam, lparam);
    }
    if (IsLoggedMessage(message)) LogMessage(window, message, wparam, lparam);
    return IsCustomDrawStage(message, lparam, CDDS_PREPAINT) ? RecorderPrePaintAnswer
                                                             : kRecorderResult;
}

LRESULT RecorderPrePaintAnswer = CDRF_DODEFAULT;

HWND CreateRecorderWindow(HWND parent, const char *role) {
    RegisterTestClasses();
    DWORD style = parent != NULL ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW;
    HWND window = CreateWindowExA(0, kRecorderClass, "recorder", style, 0, 0, 200, 100, parent,
                                  NULL, GetModuleHandleA(NULL), NULL);
    SetRole(window, role);
    return window;
}

HWND CreateReportList(int rows, const char *class_name, bool visible) {
    RegisterTestClasses();
    DWORD frame_style = WS_POPUP | (visible ? WS_VISIBLE : 0);
    HWND frame = CreateWindowExA(0, kListHostClass, "list", frame_style, 0, 0, 400, 300, NULL, NULL,
                                 GetModuleHandleA(NULL), NULL);
    HWND list = CreateWindowExA(0, class_name, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 400,
                                300, frame, NULL, GetModuleHandleA(NULL), NULL);
    FillReportList(list, rows, 1, kTestColumnWidth);
    return list;
}

COLORREF RowBackground(HWND list, int row, bool redraw) {
    if (redraw)
        RedrawWindow(list, NULL, NULL,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    return RowPixel(list, row);
}

COLORREF PrintedRowBackground(HWND list, int row) {
    RECT client;
    GetClientRect(list, &client);
    POINT sample = RowSamplePoint(list, row);
    HDC screen = GetDC(list);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(list, screen);
    HGDIOBJ previous = SelectObject(memory, image);
    SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_ERASEBKGND);
    COLORREF color = GetPixel(memory, sample.x, sample.y);
    SelectObject(memory, previous);
    DeleteObject(image);
    DeleteDC(memory);
    return color;
}

// ---- hosts for the built plug-ins ------------------------------------------------------------

HWND FakeHostAnswer;

namespace {
const char kFakeHostClass[] = "AltRowTintFakeHost";

LRESULT CALLBACK FakeHostProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (IsLoggedMessage(message)) LogMessage(window, message, wparam, lparam);
    if (message == WM_HOST_QUERYWINDOW && wparam == HOSTWINDOW_LISTOWNER &&
        lparam == HOSTWINDOW_LISTOWNER) {
        return reinterpret_cast<LRESULT>(FakeHostAnswer);
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
}  // namespace

// A hidden top-level window of its own class (registered on first use) and procedure.
static HWND CreateTopLevel(const char *class_name, WNDPROC procedure, HWND parent = NULL) {
    RegisterWindowClass(class_name, procedure);
    return CreateWindowExA(0, class_name, NULL, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, parent, NULL,
                           GetModuleHandleA(NULL), NULL);
}

HWND CreateFakeHost() {
    HWND window = CreateTopLevel(kFakeHostClass, FakeHostProc);
    SetRole(window, "host");
    return window;
}

WNDPROC ProcOf(HWND window) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
}

HWND CreateHostMainWindow(bool private_to_program) {
    HWND window =
        CreateTopLevel(HOST_WINDOW_CLASS, RecordingProc, private_to_program ? HWND_MESSAGE : NULL);
    SetRole(window, "host");
    return window;
}

namespace {
HWND PageHostStandIn;
// The page's walk over the top-level windows meets the stand-in, and no other window.
BOOL WINAPI EnumStandInOnly(WNDENUMPROC visit, LPARAM lparam) {
    if (PageHostStandIn != NULL) visit(PageHostStandIn, lparam);
    return TRUE;
}
}  // namespace

bool RedirectPageHost(HMODULE page_module, HWND stand_in) {
    PageHostStandIn = stand_in;
    return PatchImport(page_module, "USER32.dll", "EnumWindows",
                       reinterpret_cast<void *>(EnumStandInOnly)) != nullptr;
}

HMODULE LoadPluginModule(const std::string &path, const char *export_name, const void **record) {
    HMODULE module = LoadLibraryA(path.c_str());
    typedef const void *(*GetRecordProc)(void);
    auto get_info = ExportOf<GetRecordProc>(module, export_name);
    *record = get_info != nullptr ? get_info() : nullptr;
    return module;
}

COLORREF ItemBackgroundThrough(HWND owner, HWND list, DWORD_PTR row) {
    NMLVCUSTOMDRAW pre = CustomDrawRecord(list, CDDS_PREPAINT);
    SendMessageA(owner, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&pre));
    NMLVCUSTOMDRAW item = CustomDrawRecord(list, CDDS_ITEMPREPAINT, row, {0, CLR_DEFAULT});
    SendMessageA(owner, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&item));
    return item.clrTextBk;
}

// ---- the page in a modeless property sheet ---------------------------------------------------

namespace {
WNDPROC FrameProc;

LRESULT CALLBACK RecordingFrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == PSM_CHANGED || message == PSM_UNCHANGED) {
        LogMessage(window, message, wparam, lparam);
    }
    return CallWindowProcA(FrameProc, window, message, wparam, lparam);
}

// Keeps a sheet off the screen: its template loses WS_VISIBLE before the sheet is created.
int CALLBACK HiddenSheetCallback(HWND, UINT message, LPARAM lparam) {
    if (message == PSCB_PRECREATE) {
        auto dialog = reinterpret_cast<DLGTEMPLATE *>(lparam);
        if (reinterpret_cast<WORD *>(dialog)[1] == 0xFFFF) {  // extended template
            reinterpret_cast<DWORD *>(dialog)[3] &= ~WS_VISIBLE;
        } else {
            dialog->style &= ~WS_VISIBLE;
        }
    }
    return 0;
}
}  // namespace

HWND OpenPageSheet(const CPluginRecord *record, HWND *page, bool visible, DWORD kind) {
    *page = NULL;
    char path[64];
    HPROPSHEETPAGE handle =
        record->page_callback(SETTINGS_PAGE_INDEX, SETTINGS_PAGE_KIND, path, sizeof path);
    if (handle == NULL) return NULL;
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS | kind;
    header.pszCaption = "Settings";
    header.nPages = 1;
    header.phpage = &handle;
    if (!visible) {
        header.dwFlags |= PSH_USECALLBACK;
        header.pfnCallback = HiddenSheetCallback;
    }
    HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (sheet == NULL) return NULL;
    *page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    FrameProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(sheet, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingFrameProc)));
    SetRole(sheet, "frame");
    PumpMessages();
    return sheet;
}

HBRUSH SwatchBrush(HWND page, int swatch_id) {
    HDC dc = GetDC(page);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, swatch_id))));
    ReleaseDC(page, dc);
    return brush;
}

COLORREF SwatchColor(HWND page, int swatch_id) {
    LOGBRUSH brush = {};
    GetObjectA(SwatchBrush(page, swatch_id), sizeof brush, &brush);
    return brush.lbColor;
}

// ---- modal dialogs, answered from a timer while they run their modal loop --------------------

DialogAnswer Answer;

namespace {
enum { ANSWER_POLL_MS = 20, ANSWER_TEXT_CAPACITY = 1024 };
UINT_PTR AnswerTimer;

BOOL CALLBACK FindMarkedDialog(HWND window, LPARAM found) {
    if (GetDlgItem(window, Answer.marker) == NULL) return TRUE;
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindMarkedDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == NULL) return;
    KillTimer(NULL, AnswerTimer);
    AnswerTimer = 0;
    Answer.seen = true;
    wchar_t text[ANSWER_TEXT_CAPACITY] = L"";
    GetDlgItemTextW(dialog, Answer.marker, text, ANSWER_TEXT_CAPACITY);
    Answer.text = text;
    if (Answer.marker == COLOR_RED && Answer.button == IDOK) {
        SetDlgItemInt(dialog, COLOR_RED, GetRValue(Answer.color), FALSE);
        SetDlgItemInt(dialog, COLOR_GREEN, GetGValue(Answer.color), FALSE);
        SetDlgItemInt(dialog, COLOR_BLUE, GetBValue(Answer.color), FALSE);
    }
    SendMessageA(GetDlgItem(dialog, Answer.button), BM_CLICK, 0, 0);
}
}  // namespace

void AnswerNextDialog(int marker, int button, COLORREF color) {
    if (AnswerTimer != 0) KillTimer(NULL, AnswerTimer);
    Answer = {marker, button, color, false, L""};
    AnswerTimer = SetTimer(NULL, 0, ANSWER_POLL_MS, AnswerDialog);
}

void AnswerNextChooser(bool confirm, COLORREF color) {
    AnswerNextDialog(COLOR_RED, confirm ? IDOK : IDCANCEL, color);
}

// ---- a module's brushes, seen through its imports of CreateSolidBrush and DeleteObject --------

std::vector<HGDIOBJ> BrushesMade, ObjectsDeleted;

namespace {
HBRUSH WINAPI RecordingCreateSolidBrush(COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    BrushesMade.push_back(brush);
    return brush;
}

BOOL WINAPI RecordingDeleteObject(HGDIOBJ object) {
    ObjectsDeleted.push_back(object);
    return DeleteObject(object);
}
}  // namespace

bool RecordBrushesOf(HMODULE module) {
    BrushesMade.clear();
    ObjectsDeleted.clear();
    return PatchImport(module, "GDI32.dll", "CreateSolidBrush",
                       reinterpret_cast<void *>(RecordingCreateSolidBrush)) != nullptr &&
           PatchImport(module, "GDI32.dll", "DeleteObject",
                       reinterpret_cast<void *>(RecordingDeleteObject)) != nullptr;
}
