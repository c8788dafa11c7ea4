// Runs the built reference host, with the built plug-ins, in a folder of the test's own and
// drives it from outside: its windows, its private messages and the files it leaves.
#ifndef ALTROWTINT_E2E_HOST_RUNNER_H
#define ALTROWTINT_E2E_HOST_RUNNER_H

#include <windows.h>

#include <functional>
#include <string>

#include "refhost_protocol.h"

// Colours of the product's out-of-the-box settings, as the user sees them.
const COLORREF kLightGrey = RGB(240, 240, 240);

// Waits to apply to anything the host does in answer to one message.
const DWORD kHostTimeoutMs = 10000;

// Polls condition every few milliseconds until it holds or timeout_ms pass.
bool WaitUntil(const std::function<bool()> &condition, DWORD timeout_ms = kHostTimeoutMs);

// ---- folders ---------------------------------------------------------------------------------
// A new folder for the running test, under the test program's folder, holding refhost.exe from
// the build's demo folder and, unless told otherwise, its plugin\ folder.
std::string FreshHostFolder(bool with_plugins = true);
// The same in a subfolder `name` of any characters, under nested folders that bring the host
// folder's path to `length` characters when it would be shorter.
std::wstring FreshWideHostFolder(const std::wstring &name, size_t length = 0);
// A module built beside the test program (the fake plug-ins).
std::string FixturePath(const char *file_name);
std::string SettingsFileIn(const std::string &folder);
std::string ReadText(const std::string &path);  // CRLF folded to \n; "" when missing
std::string ReadText(const std::wstring &path);
void WriteText(const std::string &path, const std::string &text);  // \n written as CRLF

// ---- a running host --------------------------------------------------------------------------
class RunningHost {
public:
    ~RunningHost();  // a host still running at the end of a test is killed

    // Starts folder\refhost.exe with the arguments; returns once its plug-ins started (its
    // message loop answers) or false on timeout.
    bool Start(const std::string &folder, const std::string &arguments = "");
    bool Start(const std::wstring &folder, const std::string &arguments = "");
    // Runs a host that is expected to end by itself (--help, --screenshot ...); its exit code,
    // or STILL_ACTIVE when it had to be killed.
    DWORD RunToEnd(const std::string &folder, const std::string &arguments);

    HWND window() const { return window_; }
    DWORD process_id() const { return process_id_; }
    HWND List() const;
    std::string StatusText() const;  // in UTF-8
    int RowCount() const;
    COLORREF ListBackground() const;
    COLORREF Row(int row, RowSampleMode mode = ROWSAMPLE_REPAINTED) const;
    // Waits until the row shows colour without a forced repaint; the colour last seen.
    COLORREF WaitForRowAsShown(int row, COLORREF color) const;
    // Returns once the host has handled everything posted to it before; false on timeout.
    bool WaitForPostedMessages() const;

    HWND OpenSettingsDialog() const;  // through the menu command; NULL on timeout
    HWND SettingsDialog() const;

    // Closes the main window as a user would; the exit code, or STILL_ACTIVE after a kill.
    DWORD Quit();

    std::string Stdout() const { return ReadText(folder_ + L"\\stdout.txt"); }
    std::string Stderr() const { return ReadText(folder_ + L"\\stderr.txt"); }

private:
    bool Launch(const std::wstring &folder, const std::string &arguments);
    DWORD WaitForExit();
    void Kill();

    std::wstring folder_;
    PROCESS_INFORMATION process_ = {};
    DWORD process_id_ = 0;
    HWND window_ = NULL;
};

// ---- the settings dialog and the colour chooser ----------------------------------------------
HWND CurrentPage(HWND sheet);
// Clicks the page's pick button and, in the colour chooser that opens, enters colour and
// confirms. False when no chooser appeared or it did not close.
bool PickColorOnPage(const RunningHost &host, HWND page, int pick_button, COLORREF color);
HWND FindColorChooser(DWORD process_id);       // NULL when none is open
void ClickButton(HWND dialog, int button_id);  // sends BM_CLICK, as a user's click

#endif
