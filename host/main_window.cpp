#include "main_window.h"

#include <commctrl.h>

#include "command_line.h"
#include "console_output.h"
#include "host_contract.h"
#include "host_resource.h"
#include "host_text.h"
#include "list_data.h"
#include "list_pane.h"
#include "plugins.h"
#include "refhost_protocol.h"
#include "screenshot.h"
#include "settings_dialog.h"
#include "text_format.h"
#include "window_dpi.h"

namespace {

// The contract names the class narrow; the window itself is Unicode, for its title and menu.
const wchar_t kWindowClass[] = WIDE_LITERAL(HOST_WINDOW_CLASS);
enum { WINDOW_WIDTH = 640, WINDOW_HEIGHT = 400 };  // at 96 DPI, also the size of a screenshot
enum { WM_REFHOST_TAKESCREENSHOT = WM_APP + 16 };  // private to this window

HWND StatusBar;
HWND ListPane;
std::wstring ScreenshotPath;
int ExitCode = EXIT_OK;

void LayOut(HWND window) {
    SendMessageA(StatusBar, WM_SIZE, 0, 0);  // the status bar places itself at the bottom
    RECT client, status;
    GetClientRect(window, &client);
    GetWindowRect(StatusBar, &status);
    MoveWindow(ListPane, 0, 0, client.right, client.bottom - (status.bottom - status.top), TRUE);
}

BOOL CreateChildren(HWND window) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    StatusBar = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                                0, 0, 0, window, NULL, instance, NULL);
    ListPane = CreateListPane(window, instance);
    return StatusBar != NULL && ListPane != NULL;
}

// Makes the list's owner anew, as a host does that rebuilds its view for a new folder or layout:
// the old one is destroyed under the running plug-ins, which must follow the new one.
void RebuildListPane(HWND window) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    HWND rebuilt = CreateListPane(window, instance);
    if (rebuilt == NULL) return;  // the old one stays
    DestroyWindow(ListPane);
    ListPane = rebuilt;
    LayOut(window);
}

// Stops the plug-ins while every window they know still exists, then closes.
void CloseMainWindow(HWND window) {
    CloseSettingsDialog();
    StopGeneralPlugins(window);
    DestroyWindow(window);
}

void RedrawWhole(HWND window) {
    RedrawWindow(window, NULL, NULL,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The main window, and the settings dialog over it when one is open.
void TakeScreenshot(HWND window) {
    HWND windows[] = {window, SettingsDialogWindow()};
    int count = windows[1] != NULL ? 2 : 1;
    for (int i = 0; i < count; ++i) RedrawWhole(windows[i]);
    UINT failure = 0;
    HRESULT result = SaveWindowsImage(windows, count, ScreenshotPath.c_str(), &failure);
    if (SUCCEEDED(result)) {
        WriteStdout(HostText(IDS_SCREENSHOT_SAVED, READER_USER, {ScreenshotPath}) + L"\n");
    } else {
        // The system has words for a Windows error wrapped in an HRESULT under its own code.
        DWORD error = static_cast<DWORD>(
            HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : result);
        ReportProblem(failure, {ScreenshotPath}, error);
        ExitCode = EXIT_FAILED;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
}

// On a monitor of another DPI, the place and size that Windows suggests keep the window's look.
void TakeSuggestedBounds(HWND window, const RECT &bounds) {
    SetWindowPos(window, NULL, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnPluginNotify(WPARAM code) {
    if (code != PLUGINNOTIFY_RELOADSETTINGS) return;
    // The plug-ins reloaded in their hooks before this was dispatched: show the new colours now.
    InvalidateRect(ListOfPane(ListPane), NULL, TRUE);
    ShowStatus(HostText(IDS_SETTINGS_RELOADED, READER_USER));
}

LRESULT AnswerListOwnerQuery(WPARAM wparam, LPARAM lparam) {
    if (wparam != HOSTWINDOW_LISTOWNER || lparam != HOSTWINDOW_LISTOWNER) return 0;
    return reinterpret_cast<LRESULT>(ListPane);
}

void OnCommand(HWND window, int command) {
    if (command == IDM_FILE_SETTINGS) OpenSettingsDialog(window);
    if (command == IDM_FILE_EXIT) PostMessageA(window, WM_CLOSE, 0, 0);
    if (command == IDM_VIEW_REBUILD) RebuildListPane(window);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        return CreateChildren(window) ? 0 : -1;
    case WM_SIZE:
        LayOut(window);
        return 0;
    case WM_SETFOCUS:
        SetFocus(ListPane);
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wparam));
        return 0;
    case WM_DPICHANGED:
        TakeSuggestedBounds(window, *reinterpret_cast<const RECT *>(lparam));
        return 0;
    case WM_HOST_QUERYWINDOW:
        return AnswerListOwnerQuery(wparam, lparam);
    case WM_HOST_PLUGINNOTIFY:
        OnPluginNotify(wparam);
        return 0;
    case WM_REFHOST_ROWBACKGROUND:
        return SampleRowBackground(ListOfPane(ListPane), static_cast<int>(wparam),
                                   static_cast<RowSampleMode>(lparam));
    case WM_REFHOST_SETTINGSDIALOG:
        return reinterpret_cast<LRESULT>(SettingsDialogWindow());
    case WM_REFHOST_ECHO:
        PostMessageW(reinterpret_cast<HWND>(wparam), WM_REFHOST_ECHO, 0, 0);
        return 0;
    case WM_REFHOST_TAKESCREENSHOT:
        TakeScreenshot(window);
        return 0;
    case WM_CLOSE:
        CloseMainWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(ExitCode);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = MainWindowProc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIcon(NULL, IDI_APPLICATION);
    window_class.hCursor = LoadCursor(NULL, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&window_class)) return NULL;
    HMENU menu = LoadHostMenu(IDR_MAIN_MENU);
    // The window owns the menu from here on and destroys it with itself.
    HWND window = CreateWindowExW(0, kWindowClass, HostText(IDS_WINDOW_TITLE, READER_USER).c_str(),
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, WINDOW_WIDTH,
                                  WINDOW_HEIGHT, NULL, menu, instance, NULL);
    if (window == NULL && menu != NULL) DestroyMenu(menu);  // not handed over
    // Its DPI is known only now that it exists.
    if (window != NULL) {
        SetWindowPos(window, NULL, 0, 0, ScaleToWindow(window, WINDOW_WIDTH),
                     ScaleToWindow(window, WINDOW_HEIGHT),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return window;
}

void ShowStatus(const std::wstring &text) {
    if (StatusBar != NULL) SetWindowTextW(StatusBar, text.c_str());
}

void ShowStartupStatus(void) {
    std::wstring text = HostText(IDS_STATUS_STARTUP, READER_USER,
                                 {std::to_wstring(LIST_ROW_COUNT), DescribeLoadedPlugins()});
    AppendListItem(&text, HostText(IDS_STATUS_SEPARATOR, READER_USER), ProblemSummary());
    ShowStatus(text);
}

void RequestScreenshot(HWND window, const std::wstring &path) {
    ScreenshotPath = path;
    PostMessageW(window, WM_REFHOST_TAKESCREENSHOT, 0, 0);
}
