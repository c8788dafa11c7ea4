// Entry of the row painter: the record the host asks for, its two callbacks, and the start and
// stop of the colouring.
#include <windows.h>

#include "host_contract.h"
#include "painter_core.h"
#include "settings.h"

extern "C" {
int CALLBACK PainterMessageHook(MSG *msg);
int CALLBACK PainterEvent(HWND host_window, int event_code);
const GPluginRecord *GetGPluginInfo(void);
}

static const GPluginRecord GPluginInfo = {0, PainterMessageHook, PainterEvent};

const GPluginRecord *GetGPluginInfo(void) { return &GPluginInfo; }

static HWND QueryListOwner(HWND host_window) {
    return reinterpret_cast<HWND>(
        SendMessageA(host_window, WM_HOST_QUERYWINDOW, HOSTWINDOW_LISTOWNER, HOSTWINDOW_LISTOWNER));
}

// The painter colours with what the file holds now; the values, for the stop to write back,
// and where they came from.
static SettingsSource ReloadPainterSettings(RowColorSettings *loaded) {
    SettingsSource source = LoadSettings(loaded);
    SetPainterSettings(*loaded);
    return source;
}

// Between a start that found a list owner and the stop. The owner may be destroyed meanwhile
// (a host that rebuilds its view): then the colouring follows the window the host names next.
static BOOL Started;
static HWND StartedBy;  // the host window of the last start, asked again for a new owner
// An owner-less painter asks at once, then, while the host names no owner, at most every
// OWNER_QUERY_INTERVAL_MS: its hook sees every message of the host's loop.
enum { OWNER_QUERY_INTERVAL_MS = 50 };
// GetTickCount's value when the host last named no owner; 0 while it names one.
static DWORD AskedInVainAt;

// Colours the list owner the host names now; FALSE when it names none that can be coloured.
static BOOL StartOn(HWND host_window) {
    StartedBy = host_window;
    HWND target = QueryListOwner(host_window);
    BOOL found = target != NULL && IsWindow(target) && InstallRowPaintProc(target);
    AskedInVainAt = found ? 0 : GetTickCount();
    if (found) Started = TRUE;
    return found;
}

int PainterAttach(HWND host_window) {
    RowColorSettings loaded;
    ReloadPainterSettings(&loaded);  // the first row painted already uses the file's values
    // A second start without a stop keeps the original procedure: recording RowPaintProc as its
    // own predecessor would recurse without end on the next message. A host that destroyed the
    // window and made a new one is started afresh on the window it names now, also when an
    // earlier stop had to leave RowPaintProc dormant in another window below a later subclass.
    if (Started && IsWindow(ColoringWindow())) return 1;
    StartOn(host_window);
    return 1;
}

// The owner was destroyed without a stop: the window the host names now, once it has one, is
// coloured as at a start and repainted at once.
static void FollowRebuiltOwner(void) {
    if (AskedInVainAt != 0 && GetTickCount() - AskedInVainAt < OWNER_QUERY_INTERVAL_MS) return;
    if (StartOn(StartedBy)) RepaintColoredLists();
}

void PainterDetach(HWND host_window) {
    // A stop without a start has nothing to put back, and no loaded values to write.
    if (!Started) return;
    Started = FALSE;
    // The host is asked again, as at start, but the procedure goes back to the window it was
    // taken from: a host that names no window, a destroyed one or another one at stop must
    // neither leave RowPaintProc behind (it dies with this module) nor hand the original
    // procedure to a stranger. Where a later subclass sits above RowPaintProc, it stays in the
    // chain, dormant, and keeps the module loaded for the subclass that calls through it.
    QueryListOwner(host_window);
    RemoveRowPaintProc();
    // Read the file again first: the page may have saved a newer choice that no reload
    // notification brought here, and the stop must not overwrite it. Saving then still leaves
    // all eight keys in order, and creates the file with the defaults when there is none. A
    // file that could not be read (another program held it) is left as it is: what the load
    // fell back to is not the user's choice. No other instance comes between the two.
    HANDLE lock = LockSettingsFile();
    RowColorSettings current;
    if (ReloadPainterSettings(&current) != SETTINGS_UNREADABLE) SaveSettings(&current);
    UnlockSettingsFile(lock);
}

int CALLBACK PainterMessageHook(MSG *msg) {
    if (Started && ColoringWindow() == NULL) FollowRebuiltOwner();
    if (msg != NULL && msg->message == WM_HOST_PLUGINNOTIFY &&
        msg->wParam == PLUGINNOTIFY_RELOADSETTINGS) {
        RowColorSettings loaded;
        ReloadPainterSettings(&loaded);
        RepaintColoredLists();  // no part of a list keeps the old colours until it repaints
    }
    return 0;
}

int CALLBACK PainterEvent(HWND host_window, int event_code) {
    if (event_code == GPEVENT_INIT) PainterAttach(host_window);
    if (event_code == GPEVENT_QUIT) PainterDetach(host_window);
    return 1;
}

// Nothing to undo at unload: while RowPaintProc is in a chain the module holds itself loaded, so
// a host that frees it without a stop leaves the painter colouring until the process ends; so
// does a stop from inside a message that came through RowPaintProc, which has yet to return.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}
