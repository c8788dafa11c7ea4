// The colouring window procedure and the painter's module state that it reads.
#ifndef ALTROWTINT_ROW_PAINT_H
#define ALTROWTINT_ROW_PAINT_H

#include <windows.h>

#include "settings.h"

// The painter's own copy of the settings: zero until the first load, written only by LoadSettings.
extern RowColorSettings PainterSettings;

// Answers the list's custom-draw notifications with per-row colours; passes all else on.
LRESULT CALLBACK RowPaintProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// A dormant RowPaintProc passes every message on untouched. It is dormant after a stop that had
// to leave it in a window's chain because another subclass sits above it, until the next start.
void SetRowPaintDormant(BOOL dormant);
BOOL IsRowPaintDormant(void);

// Invalidates the list whose rows were last coloured, when it is still a window, so that it
// shows reloaded settings at once; does nothing while dormant.
void RepaintColoredList(void);

// TRUE when window is a list-view control, under its own class name or a superclass's.
BOOL IsListViewWindow(HWND window);

#endif
