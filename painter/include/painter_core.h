// The painter's core as the plug-in's entry, the tests and the benchmark see it: the colouring
// procedure, its place in a window's procedure chain, and the settings it colours with. How it
// passes messages on stays inside the core (row_paint_chain.h).
#ifndef ALTROWTINT_PAINTER_CORE_H
#define ALTROWTINT_PAINTER_CORE_H

#include <windows.h>

#include "settings.h"

// Answers the list's custom-draw notifications with per-row colours; passes all else on.
LRESULT CALLBACK RowPaintProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The settings RowPaintProc colours with, the painter's own copy: zero until set. The plug-in
// sets them from the file at its start, on a reload and at its stop; tests and the benchmark
// set them directly. Nothing else writes them.
void SetPainterSettings(const RowColorSettings &settings);

// Invalidates every list-view child of the window whose list is coloured, and the list whose
// rows were last coloured, so that they show reloaded settings at once; does nothing while
// stopped.
void RepaintColoredLists(void);

// TRUE when window is a list-view control, under its own class name or a superclass's.
BOOL IsListViewWindow(HWND window);

// Makes target the window whose list is coloured, in the window's own character set (a Unicode
// window stays a Unicode window): RowPaintProc goes into its chain, or colours again from where
// an earlier stop left it there, and every other chain it sits in is left as RemoveRowPaintProc
// leaves it. FALSE when the window would not take it. The module stays loaded while
// RowPaintProc is in any chain, whatever the host frees in between.
BOOL InstallRowPaintProc(HWND target);

// Stops the colouring. Each window whose own procedure RowPaintProc still is gets the one it
// replaced back, a window that is gone is forgotten, and each lets go of its hold on the
// module. FALSE when some chain keeps RowPaintProc because another subclass sits above it
// there: that chain is left alone, dormant, with the module held. Called from inside
// RowPaintProc (a host that stops the painter in a message that came through it), it keeps
// that window's hold: the module then stays loaded until the process ends.
BOOL RemoveRowPaintProc(void);

// The window whose list is coloured; NULL while stopped, and from the moment that window is
// destroyed.
HWND ColoringWindow(void);

#endif
