// The windows whose procedure chains hold RowPaintProc, and where it passes each one's messages
// on to: kept by its installation, read by RowPaintProc. Private to the painter: others put
// RowPaintProc into a window with InstallRowPaintProc.
#ifndef ALTROWTINT_ROW_PAINT_CHAIN_H
#define ALTROWTINT_ROW_PAINT_CHAIN_H

#include <windows.h>

// Where an entry stands with its window. An entry whose window is NULL was never used.
enum ChainState {
    // RowPaintProc is in the window's chain, which holds a reference on this module for as long
    // as it stays there.
    CHAIN_ENTERED,
    // The window was destroyed with RowPaintProc in its chain: nothing comes through it any more,
    // and its hold on the module goes at the next installation or stop, outside any of its calls.
    CHAIN_DESTROYED,
    // RowPaintProc left the window's chain and its hold went. The window and its previous
    // procedure stay until the entry is reused: the window may belong to another thread, on
    // which a message already on its way into RowPaintProc still reaches that procedure.
    CHAIN_LEFT
};

// One window RowPaintProc went into.
struct PaintChain {
    HWND window;
    // The procedure RowPaintProc replaced there; every message passed on goes to it.
    WNDPROC previous;
    // The character set RowPaintProc went in with: a Unicode window's messages are passed on
    // through CallWindowProcW, so that its text never passes through the ANSI code page.
    BOOL unicode;
    ChainState state;
    // Calls of RowPaintProc for this window under way, on the window's thread, which another
    // thread's stop may read: the host may stop the painter, and free it, from inside a message
    // that came through RowPaintProc, which must then still be there to return to.
    volatile LONG calls_under_way;
};

// The entry that RowPaintProc's call for the window uses; NULL when it never was in that
// window's chain.
PaintChain *PaintChainOf(HWND window);

// The chain whose list is coloured, the window the last start named; NULL while stopped, and
// once that window was destroyed. RowPaintProc passes every message of any other chain on
// untouched: it stays there, dormant, only where a later subclass above it keeps it in.
extern PaintChain *ColoringChain;

// Makes RowPaintProc look at every sender afresh: the colouring started on another window, or
// stopped.
void ForgetSenders(void);

// Called by RowPaintProc once the window's last message, WM_NCDESTROY, went through it.
void ForgetDestroyedWindow(PaintChain *chain);

#endif
