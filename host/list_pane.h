// The child window that holds the list-view and receives its notifications. The host names it
// to the plug-ins as the list's owner, so that a plug-in subclassing it touches nothing else.
#ifndef REFHOST_LIST_PANE_H
#define REFHOST_LIST_PANE_H

#include <windows.h>

#include "refhost_protocol.h"

// Creates the pane, filling the whole client area of parent later through MoveWindow, with the
// filled inventory list inside. Returns NULL on failure.
HWND CreateListPane(HWND parent, HINSTANCE instance);

HWND ListOfPane(HWND pane);

// The background of a row as the list shows it (see WM_REFHOST_ROWBACKGROUND).
COLORREF SampleRowBackground(HWND list, int row, RowSampleMode mode);

#endif
