// The data set the host shows: an inventory of a few hundred parts, generated from small tables
// so that the demo and the tests see the same rows every time.
#ifndef REFHOST_LIST_DATA_H
#define REFHOST_LIST_DATA_H

#include <windows.h>

enum { LIST_ROW_COUNT = 300 };

// Adds the columns and all rows to an empty report-view list-view.
void FillInventoryList(HWND list);

#endif
