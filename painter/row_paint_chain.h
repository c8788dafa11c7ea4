// The windows whose procedure chains hold RowPaintProc, and where it passes each one's messages
// on to: kept by its installation, read by RowPaintProc. Private to the painter: others put
// RowPaintProc into a window with InstallRowPaintProc.
#ifndef ALTROWTINT_ROW_PAINT_CHAIN_H
#define ALTROWTINT_ROW_PAINT_CHAIN_H

#include <windows.h>

// One window RowPaintProc went into, which holds a reference on this module for as long as
// RowPaintProc stays in its chain. An entry whose window is NULL is free once no call of
// RowPaintProc for it is under way any more.
struct PaintChain {
    HWND window;
    // The procedure RowPaintProc replaced there; every message passed on goes to it.
    WNDPROC previous;
    // The character set RowPaintProc went in with: a Unicode window's messages are passed on
    // through CallWindowProcW, so that its text never passes through the ANSI code page.
    BOOL unicode;
    // Calls of RowPaintProc for this window under way: the host may stop the painter, and free
    // it, from inside a message that came through RowPaintProc, which must then still be there
    // to return to.
    LONG calls_under_way;
};

// The entry of the window; NULL when RowPaintProc is in no chain of that window.
PaintChain *PaintChainOf(HWND window);

// The chain whose list is coloured, the window the last start named; NULL while stopped.
// RowPaintProc passes every message of any other chain on untouched: it stays there, dormant,
// only where a later subclass above it keeps it in.
extern PaintChain *ColoringChain;

// Makes RowPaintProc look at every sender afresh: the colouring started on another window, or
// stopped.
void ForgetSenders(void);

#endif
