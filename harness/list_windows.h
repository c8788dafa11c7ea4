// Window helpers shared by the tests and the benchmark, free of any test framework: window
// classes, the message pump, the filling of a report-view list, the records it sends its owner
// and the pixels it paints.
#ifndef ALTROWTINT_LIST_WINDOWS_H
#define ALTROWTINT_LIST_WINDOWS_H

#include <windows.h>
#include <commctrl.h>

// Registers a window class of this program with the list-view class ready beside it; a class
// registered before counts as registered. FALSE when it could not be registered.
BOOL RegisterWindowClass(const char *class_name, WNDPROC procedure, HBRUSH background = NULL);

// Dispatches until the queue is empty (and, when given, the time is up).
void PumpMessages(DWORD milliseconds = 0);

// Gives an empty report-view list `columns` titled columns of `column_width` pixels and `rows`
// rows with text in every cell.
void FillReportList(HWND list, int rows, int columns, int column_width);

// The colours a list fills a row's custom-draw record with before its owner sees it.
struct RowColors {
    COLORREF text, background;
};

// A list-view's custom-draw record of `stage` for `row`, as `list` (control id `id`) sends it
// with the colours it filled in.
NMLVCUSTOMDRAW CustomDrawRecord(HWND list, DWORD stage, DWORD_PTR row = 0,
                                RowColors filled_in = {0, 0}, UINT_PTR id = 0);

// TRUE when the message is a WM_NOTIFY that carries a custom-draw record of `stage`.
BOOL IsCustomDrawStage(UINT message, LPARAM lparam, DWORD stage);

// Where a row's background shows: in the row's first cell, just inside its right end, clear of
// its text (client coordinates of the list).
POINT RowSamplePoint(HWND list, int row);
// The pixel there, from the list's own surface as it is now.
COLORREF RowPixel(HWND list, int row);

#endif
