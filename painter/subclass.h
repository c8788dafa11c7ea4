// RowPaintProc put into and taken out of the list owner's procedure chain, in the window's own
// character set: a Unicode window stays a Unicode window.
#ifndef ALTROWTINT_SUBCLASS_H
#define ALTROWTINT_SUBCLASS_H

#include <windows.h>

// Makes RowPaintProc the procedure of target and records the one it replaced in
// PreviousWndProc; FALSE when the window would not take it. The module stays loaded from here
// until RemoveRowPaintProc succeeds, whatever the host frees in between.
BOOL InstallRowPaintProc(HWND target);

// Puts PreviousWndProc back when RowPaintProc is still the window's procedure, or forgets the
// window when it is gone, and lets the module go. FALSE when another subclass sits above
// RowPaintProc: the chain is left alone, and RowPaintProc stays in it with the module held.
// Never called from RowPaintProc itself.
BOOL RemoveRowPaintProc(void);

// The window RowPaintProc went into, while it is in a chain; NULL otherwise.
HWND SubclassedWindow(void);

#endif
