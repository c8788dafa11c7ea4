// What scripts and tests may send to a running reference host from outside: its menu commands
// and a few private messages. The host contract itself lives in host_contract.h.
#ifndef REFHOST_PROTOCOL_H
#define REFHOST_PROTOCOL_H

#include <windows.h>

// Menu commands of the main window (WM_COMMAND, low word of wParam); defines, so that the
// menu resources take them too.
#define IDM_FILE_SETTINGS 101
#define IDM_FILE_EXIT 102
#define IDM_VIEW_REBUILD 103  // destroys the list's owner and makes it anew

#ifndef RC_INVOKED

// Background colour of a row as the list shows it, sampled from the list's own surface in the
// row's first cell, right of its text. wParam: zero-based row; lParam: a RowSampleMode.
// Returns the COLORREF, or CLR_INVALID when the row is not on screen.
enum { WM_REFHOST_ROWBACKGROUND = WM_APP + 1 };
enum RowSampleMode {
    ROWSAMPLE_REPAINTED = 0,  // the whole list is repainted first
    ROWSAMPLE_AS_SHOWN = 1    // only repaints already pending are done: what the user sees now
};

// Returns the open settings dialog (the property sheet's frame), or NULL when none is open.
enum { WM_REFHOST_SETTINGSDIALOG = WM_APP + 2 };

// Posted with a window in wParam: the host posts the same message back to that window when its
// queue gets to it, so everything posted to the host before it has been handled by then.
enum { WM_REFHOST_ECHO = WM_APP + 3 };

#endif

#endif
