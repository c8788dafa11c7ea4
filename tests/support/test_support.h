// Helpers shared by the test programs: files beside the executable, windows that record what
// they receive, the built plug-ins, and a reader for PE images.
#ifndef ALTROWTINT_TEST_SUPPORT_H
#define ALTROWTINT_TEST_SUPPORT_H

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <prsht.h>

#include "host_contract.h"
#include "list_windows.h"
#include "page_resource.h"
#include "settings.h"

#include <string>
#include <vector>

// A case of a parameterised suite, which GoogleTest prints by its name wherever it shows the
// case (the friend is found through this base).
template <typename Case>
struct NamedCase {
    const char *name;
    friend void PrintTo(const Case &c, std::ostream *out) { *out << c.name; }
};

// Names each case of a parameterised suite after its `name` field.
struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case> &info) const {
        return info.param.name;
    }
};

// ---- files -----------------------------------------------------------------------------------
std::string ExeDir();                           // folder of the running test program
std::string SettingsFile();                     // altrowtint.ini beside it
std::string PluginPath(const char *file_name);  // a built plug-in in the build's plugin folder
// The built pairs this program checks as files (folder ends in a backslash): its own target's,
// and in the x64 programs also the shipped 32-bit pair of the i686 build beside it, which a
// machine that cannot run 32-bit programs checks nowhere else.
struct BuiltPair {
    const char *target;
    WORD machine;
    std::string folder;
};
std::vector<BuiltPair> PairsCheckedAsFiles();
bool FileExists(const std::string &path);
std::string ReadFileBytes(const std::string &path);  // "" when missing
std::string ReadFileBytes(const std::wstring &path);
void WriteFileBytes(const std::string &path, const std::string &bytes);
void WriteFileBytes(const std::wstring &path, const std::string &bytes);
// Text between the two widths: narrow paths and arguments are in the ANSI code page, as the
// platform's narrow functions take them; what a test reads off a wide window or file is UTF-8.
std::wstring Widen(const std::string &text);  // through the ANSI code page
std::string Utf8(const std::wstring &text);
std::string WithLineEnds(const std::string &text, const char *eol);  // every \n becomes eol
std::string WithoutCarriageReturns(std::string bytes);               // CRLF and CR folded away
void RemoveSettingsFile();
void WriteSettingsFile(const std::string &text);  // text with \n line ends, written as CRLF
std::string ReadSettingsText();                   // CRLF folded to \n
extern const char kDefaultSettingsText[];         // the file a save of the defaults writes
// A file with every kind of value (a flag of 2 among them), and what loading it gives.
extern const char kCustomSettingsText[];
extern const RowColorSettings kCustomSettings;

// The colours a row should end with: the set's colour where its flag is nonzero, else what the
// list filled in. Rows with an even index are the first set.
RowColors ExpectedRowColors(const RowColorSettings &s, DWORD_PTR row, RowColors filled_in);

// Starts exe with the arguments in `folder` (null: this program's), its standard output and
// error going to the handles given (inheritable); false when it did not start.
bool StartChildProcess(const std::wstring &exe, const std::string &arguments, const wchar_t *folder,
                       HANDLE out, HANDLE err, PROCESS_INFORMATION *process);

// ---- the message log: what recording procedures receive, checked against tables ------------
// An entry: who received it (the role its window was given), the message, and its wParam,
// lParam, notification code (WM_NOTIFY) and draw stage (NM_CUSTOMDRAW). A table entry names the
// fields it compares; role and message are always compared.
enum LoggedField { LOG_WPARAM = 1, LOG_LPARAM = 2, LOG_CODE = 4, LOG_STAGE = 8, LOG_ALL = 15 };
struct LoggedMessage {
    const char *role;
    UINT message;
    unsigned compare = 0;  // LoggedField bits
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    UINT code = 0;
    DWORD stage = 0;
};
void SetRole(HWND window, const char *role);  // the name the window's messages are logged under
void LogMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// A call that reaches no window of the test (a platform function a module imports, say), logged
// under role as the message `call`.
void LogCall(const char *role, UINT call);
const std::vector<LoggedMessage> &MessageLog();
void FlushLog();
// Compares the log with expected, entry by entry, prints both sequences on a mismatch, and
// flushes the log.
void ExpectSequence(const std::vector<LoggedMessage> &expected, const char *context);

// ---- windows ---------------------------------------------------------------------------------
// A window class whose procedure logs every message (LogMessage) and returns kRecorderResult, so
// that a passed-on message and its result can both be told apart.
const LRESULT kRecorderResult = 0x5EC0DED;
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// What a recorder answers a custom-draw pre-paint with: CDRF_DODEFAULT, as an owner that draws
// nothing itself, unless a test poses as one that does.
extern LRESULT RecorderPrePaintAnswer;
// A recorder window, top-level (hidden) or a visible child, logged under role.
HWND CreateRecorderWindow(HWND parent = NULL, const char *role = "recorder");

// A report-view list-view of `rows` rows, the child of a visible frame window of its own whose
// procedure is DefWindowProcA; the frame (GetParent) receives the list's notifications.
HWND CreateReportList(int rows, const char *class_name = WC_LISTVIEWA, bool visible = true);

// A pixel in the row, right of its text: after a full redraw, or as the screen shows it now.
COLORREF RowBackground(HWND list, int row, bool redraw = true);
// The same from the list painted into a bitmap of its own (WM_PRINTCLIENT), custom draw and all:
// what no other window on the screen can cover.
COLORREF PrintedRowBackground(HWND list, int row);

// An exported function of a loaded module, as the type the caller expects (null when missing).
template <typename Function>
Function ExportOf(HMODULE module, const char *name) {
    return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

// Points a loaded module's import of dll!function at replacement; returns what it pointed at
// (null when the module does not import it). Lets a test see the calls a module makes.
void *PatchImport(HMODULE module, const char *dll, const char *function, void *replacement);

// ---- hosts for the built plug-ins ------------------------------------------------------------
// A general plug-in's host window, logged as "host" like a recorder: answers the list-owner query
// (kListOwnerQuery) with FakeHostAnswer; everything else goes to DefWindowProcA.
extern HWND FakeHostAnswer;
const LoggedMessage kListOwnerQuery = {"host", WM_HOST_QUERYWINDOW, LOG_WPARAM | LOG_LPARAM,
                                       HOSTWINDOW_LISTOWNER, HOSTWINDOW_LISTOWNER};
HWND CreateFakeHost();
WNDPROC ProcOf(HWND window);  // a window's current procedure

// The host's main window as the page finds it (class HOST_WINDOW_CLASS), a recorder logged as
// "host". Private to
// the program, it is a message-only window, which no other program's page finds; only a page
// redirected to it (RedirectPageHost) posts to it.
HWND CreateHostMainWindow(bool private_to_program = false);

// Points the page module's walk over the top-level windows at `stand_in` alone (null: no window
// at all), so that its reload notifications stay inside this program whatever others have open.
bool RedirectPageHost(HMODULE page_module, HWND stand_in);

// Loads the built altrowtint.scp (or the one at path) and hands out its record (null when that
// fails); the same for altrowtint.sgp.
HMODULE LoadPluginModule(const std::string &path, const char *export_name, const void **record);
inline HMODULE LoadPagePlugin(const CPluginRecord **record,
                              const std::string &path = PluginPath("altrowtint.scp")) {
    return LoadPluginModule(path, CONFIG_PLUGIN_EXPORT, reinterpret_cast<const void **>(record));
}
inline HMODULE LoadPainterPlugin(const GPluginRecord **record,
                                 const std::string &path = PluginPath("altrowtint.sgp")) {
    return LoadPluginModule(path, GENERAL_PLUGIN_EXPORT, reinterpret_cast<const void **>(record));
}

// The background that `owner`'s procedure gives `row` in a pre-paint and item pre-paint from
// `list` (CLR_DEFAULT when left alone).
COLORREF ItemBackgroundThrough(HWND owner, HWND list, DWORD_PTR row);

// Opens the plug-in's page in a modeless property sheet (of the kind given: a wizard, say),
// shown or kept off the screen; returns the sheet (null on failure) and the page. The sheet logs,
// under role "frame", the PSM_CHANGED and PSM_UNCHANGED it receives (wParam: the page).
HWND OpenPageSheet(const CPluginRecord *record, HWND *page, bool visible = true, DWORD kind = 0);

// The page's check boxes, swatches and pick buttons, in setting order.
const int kCheckIds[] = {IDC_TEXT1_ENABLE, IDC_TEXT2_ENABLE, IDC_BK1_ENABLE, IDC_BK2_ENABLE};
const int kSwatchIds[] = {IDC_TEXT1_SWATCH, IDC_TEXT2_SWATCH, IDC_BK1_SWATCH, IDC_BK2_SWATCH};
const int kPickIds[] = {IDC_TEXT1_PICK, IDC_TEXT2_PICK, IDC_BK1_PICK, IDC_BK2_PICK};

HBRUSH SwatchBrush(HWND page, int swatch_id);    // what the page answers WM_CTLCOLORSTATIC with
COLORREF SwatchColor(HWND page, int swatch_id);  // the colour of that brush

// Answers the next modal dialog of this thread that has the control `marker`, from a timer that
// runs until one comes up (or the next call replaces it): keeps the marker's text in
// Answer.text and presses `button`. In the colour chooser, OK first enters Answer.colour.
// Answer.seen tells whether such a dialog came up.
struct DialogAnswer {
    int marker;
    int button;
    COLORREF color;
    bool seen;
    std::wstring text;
};
extern DialogAnswer Answer;
void AnswerNextDialog(int marker, int button, COLORREF color = 0);
void AnswerNextChooser(bool confirm, COLORREF color = 0);  // OK with colour, or Cancel
enum { MESSAGE_BOX_TEXT = 0xFFFF };  // the control of a message box that holds its text
enum { ID_SHEET_APPLY = 0x3021 };    // the Apply button of a property sheet frame

// Points a module's CreateSolidBrush and DeleteObject at recorders that append to these lists
// (cleared here); false when the module does not import both.
bool RecordBrushesOf(HMODULE module);
extern std::vector<HGDIOBJ> BrushesMade, ObjectsDeleted;

// ---- PE images -------------------------------------------------------------------------------
std::vector<std::string> ImportedDlls(const std::string &path);  // upper case
std::vector<std::string> ExportedNames(const std::string &path);
WORD MachineType(const std::string &path);

// Strings of a module's version resource: (key, value) of the first string table, and its name.
struct VersionStrings {
    std::string table_name;
    std::vector<std::pair<std::string, std::string>> values;
};
VersionStrings ReadVersionStrings(const std::string &path);

#endif
