// Window helpers shared by the tests and the benchmark, free of any test framework: window
// classes, the message pump and the filling of a report-view list.
#ifndef ALTROWTINT_LIST_WINDOWS_H
#define ALTROWTINT_LIST_WINDOWS_H

#include <windows.h>

// Registers a window class of this program with the list-view class ready beside it; a class
// registered before counts as registered. FALSE when it could not be registered.
BOOL RegisterWindowClass(const char *class_name, WNDPROC procedure, HBRUSH background = NULL);

// Dispatches until the queue is empty (and, when given, the time is up).
void PumpMessages(DWORD milliseconds = 0);

// Gives an empty report-view list `columns` titled columns of `column_width` pixels and `rows`
// rows with text in every cell.
void FillReportList(HWND list, int rows, int columns, int column_width);

#endif
