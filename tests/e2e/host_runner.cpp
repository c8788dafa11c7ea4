#include "host_runner.h"

#include <colordlg.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <prsht.h>

#include <algorithm>

#include "host_contract.h"
#include "test_support.h"

namespace {

const DWORD kPollMs = 10;
const DWORD kRowSettleMs = 3000;
const char kHostExe[] = "refhost.exe";
const char *const kBuiltPlugins[] = {"altrowtint.sgp", "altrowtint.scp"};
enum { TEXT_CAPACITY = 4096 };

std::string DemoDir() { return ExeDir() + "\\..\\..\\demo"; }

// Folders of the tests may be deeper than MAX_PATH; the prefix lifts that limit for full paths.
std::wstring Unlimited(const std::wstring &path) { return L"\\\\?\\" + path; }

void RemoveTree(const std::wstring &path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Unlimited(path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring child = Unlimited(path + L"\\" + name);
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + L"\\" + name);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(Unlimited(path).c_str());
}

// A message to a window of the host process, never waiting on a host that hangs.
LRESULT Ask(HWND window, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kHostTimeoutMs,
                             &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

struct WindowSearch {
    DWORD process_id;
    const char *class_name;  // NULL: any class
    int required_child;      // 0: none
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lparam) {
    WindowSearch *search = reinterpret_cast<WindowSearch *>(lparam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search->process_id != 0 && owner != search->process_id) return TRUE;
    char class_name[256] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (search->class_name != NULL && lstrcmpiA(class_name, search->class_name) != 0) return TRUE;
    if (search->required_child != 0 && GetDlgItem(window, search->required_child) == NULL) {
        return TRUE;
    }
    if (!IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopLevel(DWORD process_id, const char *class_name, int required_child = 0) {
    WindowSearch search = {process_id, class_name, required_child, NULL};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDescendant(HWND parent, const char *class_name) {
    WindowSearch search = {0, class_name, 0, NULL};
    EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

bool WaitUntil(const std::function<bool()> &condition, DWORD timeout_ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeout_ms) return false;
        Sleep(kPollMs);
    }
}

// ---- folders ---------------------------------------------------------------------------------

static std::string FreshRunFolder() {
    const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char &c : name) {
        if (c == '/' || c == '\\') c = '_';
    }
    std::string runs = ExeDir() + "\\runs";
    CreateDirectoryA(runs.c_str(), NULL);
    std::string folder = runs + "\\" + name;
    RemoveTree(Widen(folder));
    CreateDirectoryA(folder.c_str(), NULL);
    return folder;
}

static void CopyHostInto(const std::wstring &folder, bool with_plugins) {
    std::wstring demo = Widen(DemoDir()), exe = Widen(kHostExe);
    CopyFileW((demo + L"\\" + exe).c_str(), Unlimited(folder + L"\\" + exe).c_str(), FALSE);
    if (!with_plugins) return;
    CreateDirectoryW(Unlimited(folder + L"\\plugin").c_str(), NULL);
    for (const char *plugin : kBuiltPlugins) {
        std::wstring name = L"\\plugin\\" + Widen(plugin);
        CopyFileW((demo + name).c_str(), Unlimited(folder + name).c_str(), FALSE);
    }
}

std::string FreshHostFolder(bool with_plugins) {
    std::string folder = FreshRunFolder();
    CopyHostInto(Widen(folder), with_plugins);
    return folder;
}

std::wstring FreshWideHostFolder(const std::wstring &name, size_t length) {
    const size_t kPartLength = 40;
    std::wstring folder = Widen(FreshRunFolder());
    size_t padded = length > folder.size() + name.size() + 1 ? length - name.size() - 1 : 0;
    while (folder.size() + 1 < padded) {
        folder += L"\\" + std::wstring(std::min(kPartLength, padded - folder.size() - 1), L'd');
        CreateDirectoryW(Unlimited(folder).c_str(), NULL);
    }
    folder += L"\\" + name;
    CreateDirectoryW(Unlimited(folder).c_str(), NULL);
    CopyHostInto(folder, true);
    return folder;
}

std::string FixturePath(const char *file_name) { return ExeDir() + "\\" + file_name; }

std::string SettingsFileIn(const std::string &folder) { return folder + "\\altrowtint.ini"; }

std::string ReadText(const std::string &path) { return ReadText(Widen(path)); }

std::string ReadText(const std::wstring &path) {
    return WithoutCarriageReturns(ReadFileBytes(Unlimited(path)));
}

void WriteText(const std::string &path, const std::string &text) {
    WriteFileBytes(path, WithLineEnds(text, "\r\n"));
}

// ---- a running host --------------------------------------------------------------------------

RunningHost::~RunningHost() {
    if (process_.hProcess == NULL) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) Kill();
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool RunningHost::Launch(const std::wstring &folder, const std::string &arguments) {
    folder_ = folder;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, NULL, TRUE};
    HANDLE out = CreateFileW(Unlimited(folder + L"\\stdout.txt").c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    HANDLE err = CreateFileW(Unlimited(folder + L"\\stderr.txt").c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    bool started = StartChildProcess(folder + L"\\" + Widen(kHostExe), arguments, folder.c_str(),
                                     out, err, &process_);
    CloseHandle(out);
    CloseHandle(err);
    process_id_ = process_.dwProcessId;
    return started;
}

bool RunningHost::Start(const std::string &folder, const std::string &arguments) {
    return Start(Widen(folder), arguments);
}

bool RunningHost::Start(const std::wstring &folder, const std::string &arguments) {
    if (!Launch(folder, arguments)) return false;
    bool shown = WaitUntil([&] {
        window_ = FindTopLevel(process_id_, HOST_WINDOW_CLASS);
        return window_ != NULL || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
    });
    if (!shown || window_ == NULL) return false;
    // Sent messages are taken only by a message loop, and the host enters its loop after
    // starting the plug-ins: an answer means they run.
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kHostTimeoutMs, &result) !=
           0;
}

DWORD RunningHost::RunToEnd(const std::string &folder, const std::string &arguments) {
    if (!Launch(Widen(folder), arguments)) return STILL_ACTIVE;
    return WaitForExit();
}

DWORD RunningHost::WaitForExit() {
    if (WaitForSingleObject(process_.hProcess, kHostTimeoutMs) != WAIT_OBJECT_0) {
        Kill();
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

void RunningHost::Kill() {
    TerminateProcess(process_.hProcess, STILL_ACTIVE);
    WaitForSingleObject(process_.hProcess, kHostTimeoutMs);
}

HWND RunningHost::List() const { return FindDescendant(window_, WC_LISTVIEWA); }

std::string RunningHost::StatusText() const {
    HWND status = FindDescendant(window_, STATUSCLASSNAMEA);
    wchar_t text[TEXT_CAPACITY] = L"";
    DWORD_PTR length = 0;
    if (status != NULL) {
        SendMessageTimeoutW(status, WM_GETTEXT, TEXT_CAPACITY, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, kHostTimeoutMs, &length);
    }
    return Utf8(text);
}

int RunningHost::RowCount() const { return static_cast<int>(Ask(List(), LVM_GETITEMCOUNT)); }

COLORREF RunningHost::ListBackground() const {
    return static_cast<COLORREF>(Ask(List(), LVM_GETBKCOLOR));
}

COLORREF RunningHost::Row(int row, RowSampleMode mode) const {
    if (window_ == NULL) return CLR_INVALID;
    return static_cast<COLORREF>(Ask(window_, WM_REFHOST_ROWBACKGROUND, row, mode));
}

COLORREF RunningHost::WaitForRowAsShown(int row, COLORREF color) const {
    COLORREF seen = CLR_INVALID;
    WaitUntil([&] { return (seen = Row(row, ROWSAMPLE_AS_SHOWN)) == color; }, kRowSettleMs);
    return seen;
}

bool RunningHost::WaitForPostedMessages() const {
    HWND marker = CreateWindowExA(0, "STATIC", NULL, 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    PostMessageA(window_, WM_REFHOST_ECHO, reinterpret_cast<WPARAM>(marker), 0);
    MSG echo;
    bool back = WaitUntil([&] {
        return PeekMessageA(&echo, marker, WM_REFHOST_ECHO, WM_REFHOST_ECHO, PM_REMOVE) != 0;
    });
    DestroyWindow(marker);
    return back;
}

HWND RunningHost::SettingsDialog() const {
    return reinterpret_cast<HWND>(Ask(window_, WM_REFHOST_SETTINGSDIALOG));
}

HWND RunningHost::OpenSettingsDialog() const {
    PostMessageA(window_, WM_COMMAND, IDM_FILE_SETTINGS, 0);
    HWND sheet = NULL;
    WaitUntil([&] { return (sheet = SettingsDialog()) != NULL; });
    return sheet;
}

DWORD RunningHost::Quit() {
    if (process_.hProcess == NULL) return STILL_ACTIVE;
    PostMessageA(window_, WM_CLOSE, 0, 0);
    return WaitForExit();
}

// ---- the settings dialog and the colour chooser ----------------------------------------------

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(Ask(sheet, PSM_GETCURRENTPAGEHWND)); }

HWND FindColorChooser(DWORD process_id) { return FindTopLevel(process_id, NULL, COLOR_RED); }

void ClickButton(HWND dialog, int button_id) { Ask(GetDlgItem(dialog, button_id), BM_CLICK); }

bool PickColorOnPage(const RunningHost &host, HWND page, int pick_button, COLORREF color) {
    // Posted: the click opens the chooser's modal loop, which a sent click would wait on.
    PostMessageA(GetDlgItem(page, pick_button), BM_CLICK, 0, 0);
    HWND chooser = NULL;
    if (!WaitUntil([&] { return (chooser = FindColorChooser(host.process_id())) != NULL; })) {
        return false;
    }
    const int edits[] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
    const int values[] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    for (int i = 0; i < 3; ++i) {
        std::string text = std::to_string(values[i]);
        Ask(GetDlgItem(chooser, edits[i]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ClickButton(chooser, IDOK);
    return WaitUntil([&] { return !IsWindow(chooser); });
}
