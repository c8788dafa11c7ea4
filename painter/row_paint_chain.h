// Where RowPaintProc passes messages on to: set by its installation, read by RowPaintProc. Private
// to the painter: others put RowPaintProc into a window with InstallRowPaintProc.
#ifndef ALTROWTINT_ROW_PAINT_CHAIN_H
#define ALTROWTINT_ROW_PAINT_CHAIN_H

#include <windows.h>

// The procedure that RowPaintProc replaced; every message passed on goes to it.
extern WNDPROC PreviousWndProc;

// How messages reach PreviousWndProc: CallWindowProcA, or CallWindowProcW when the subclassed
// window is a Unicode window, so that its text messages never pass through the ANSI code page.
typedef LRESULT(WINAPI *CallWindowProcFunction)(WNDPROC, HWND, UINT, WPARAM, LPARAM);
extern CallWindowProcFunction PassOnThrough;

#endif
