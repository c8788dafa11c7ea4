// RowPaintProc put into and taken out of the procedure chains of list owners, in each window's
// own character set: a Unicode window stays a Unicode window.
#ifndef ALTROWTINT_SUBCLASS_H
#define ALTROWTINT_SUBCLASS_H

#include <windows.h>

// Makes target the window whose list is coloured: RowPaintProc goes into its chain, or colours
// again from where an earlier stop left it there, and every other chain it sits in is left as
// RemoveRowPaintProc leaves it. FALSE when the window would not take it. The module stays
// loaded while RowPaintProc is in any chain, whatever the host frees in between.
BOOL InstallRowPaintProc(HWND target);

// Stops the colouring. Each window whose own procedure RowPaintProc still is gets the one it
// replaced back, a window that is gone is forgotten, and each lets go of its hold on the
// module. FALSE when some chain keeps RowPaintProc because another subclass sits above it
// there: that chain is left alone, dormant, with the module held. Called from inside
// RowPaintProc (a host that stops the painter in a message that came through it), it keeps
// that window's hold: the module then stays loaded until the process ends.
BOOL RemoveRowPaintProc(void);

// The window whose list is coloured; NULL while stopped.
HWND ColoringWindow(void);

#endif
