// Window helpers shared by the tests and the benchmark, free of any test framework: the message
// pump and the filling of a report-view list.
#ifndef ALTROWTINT_LIST_WINDOWS_H
#define ALTROWTINT_LIST_WINDOWS_H

#include <windows.h>

// Dispatches until the queue is empty (and, when given, the time is up).
void PumpMessages(DWORD milliseconds = 0);

// Gives an empty report-view list `columns` titled columns of `column_width` pixels and `rows`
// rows with text in every cell.
void FillReportList(HWND list, int rows, int columns, int column_width);

#endif
