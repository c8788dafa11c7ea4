// The reference host: a list of items in a main window of the contract's class, run with the
// plug-ins found beside the executable.
#include <windows.h>
#include <commctrl.h>

#include "command_line.h"
#include "console_output.h"
#include "host_resource.h"
#include "main_window.h"
#include "plugins.h"
#include "refhost_protocol.h"
#include "settings_dialog.h"

namespace {

// Every message that any loop on this thread takes from the queue reaches the plug-ins' hooks:
// the host's own loop, and also the modal loops of menus, window sizing and dialogs such as the
// colour chooser, which the host never sees.
LRESULT CALLBACK RelayToPluginHooks(int code, WPARAM removal, LPARAM lparam) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        PassToMessageHooks(reinterpret_cast<MSG *>(lparam));
    }
    return CallNextHookEx(NULL, code, removal, lparam);
}

int RunMessageLoop(void) {
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        if (RouteSettingsDialogMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int RunHost(HINSTANCE instance, int show, const HostOptions &options) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND window = CreateMainWindow(instance);
    if (window == NULL) {
        ReportProblem(IDS_NO_MAIN_WINDOW, {}, GetLastError());
        return EXIT_FAILED;
    }
    HHOOK relay = SetWindowsHookExA(WH_GETMESSAGE, RelayToPluginHooks, NULL, GetCurrentThreadId());
    LoadPlugins();
    StartGeneralPlugins(window);  // stopped by the window when it closes
    ShowStartupStatus();
    // Shown only now, so that the first paint already goes through the plug-ins.
    bool screenshot = !options.screenshot_path.empty();
    ShowWindow(window, screenshot ? SW_SHOWNORMAL : show);
    UpdateWindow(window);
    // In this order, so that a screenshot shows the rebuilt list and the settings dialog when
    // they were asked for.
    if (options.rebuild_view) PostMessageA(window, WM_COMMAND, IDM_VIEW_REBUILD, 0);
    if (options.open_settings) PostMessageA(window, WM_COMMAND, IDM_FILE_SETTINGS, 0);
    if (screenshot) RequestScreenshot(window, options.screenshot_path);

    int exit_code = RunMessageLoop();
    if (relay != NULL) UnhookWindowsHookEx(relay);
    return exit_code;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    HostOptions options;
    if (!ReadCommandLine(&options)) return EXIT_USAGE;
    if (options.show_help) {
        PrintHelp();
        return EXIT_OK;
    }
    // A broken plug-in file must give an error code, never a system message box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    return RunHost(instance, show, options);
}
