// The colouring window procedure and the painter's module state that it reads.
#ifndef ALTROWTINT_ROW_PAINT_H
#define ALTROWTINT_ROW_PAINT_H

#include <windows.h>

#include "settings.h"

// The painter's own copy of the settings: zero until the first load, written only by LoadSettings.
extern RowColorSettings PainterSettings;

// Answers the list's custom-draw notifications with per-row colours; passes all else on.
LRESULT CALLBACK RowPaintProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Makes RowPaintProc look at every sender afresh: the colouring started on another window, or
// stopped.
void ForgetSenders(void);

// Invalidates the list whose rows were last coloured, when it is still a window, so that it
// shows reloaded settings at once; does nothing while stopped.
void RepaintColoredList(void);

// TRUE when window is a list-view control, under its own class name or a superclass's.
BOOL IsListViewWindow(HWND window);

#endif
