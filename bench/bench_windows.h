// The windows the benchmark paints: a report-view list-view filling a frame window that
// receives its notifications, as a host's list and its owner would.
#ifndef ALTROWTINT_BENCH_WINDOWS_H
#define ALTROWTINT_BENCH_WINDOWS_H

#include <windows.h>

#include "list_windows.h"

enum { BENCH_LIST_ID = 1 };  // the list's control id, as idFrom and wParam of its notifications

struct BenchList {
    HWND frame;  // the list's parent: receives WM_NOTIFY, and is what gets subclassed
    HWND list;
    HWND button;  // another child of the frame, for notifications from a sender that is no list
    int rows;
    int columns;
    int visible_rows;
};

// Creates the frame and a list of `rows` rows and `columns` columns, sized for `visible_rows`
// rows where the screen allows. FALSE when a window could not be created.
BOOL CreateBenchList(BenchList *bench, int rows, int columns, int visible_rows);
void DestroyBenchList(BenchList *bench);

// Item pre-paint notifications that reached the frame's own procedure so far.
extern volatile LONG FrameItemNotifications;

// Makes proc the window's procedure and returns the one it replaced.
WNDPROC SubclassWith(HWND window, WNDPROC proc);

#endif
