// Rows that stay readable on a dark list: many hosts show their lists light text on a near-black
// ground, where a light stripe chosen for a light list, or a dark text colour, would make every
// other row unreadable. Private to the painter; read once per paint, at the list's pre-paint.
#ifndef ALTROWTINT_READABLE_ROWS_H
#define ALTROWTINT_READABLE_ROWS_H

#include <windows.h>

#include "settings.h"

// What a list shows its rows in where no colour is chosen: its text colour, and its ground (the
// text background, else the background, else the system's window colour).
struct ListColors {
    COLORREF text;
    COLORREF ground;
};
ListColors ReadListColors(HWND list);

// What the rows of a list of these colours get. On a list that is not dark (its ground no darker
// than its text) every choice stands, however it reads. On a dark list, where a set's row would
// pair a chosen colour with one of the list's own below a contrast of 1.5 to 1, the chosen colour
// gives way: a background to a stripe just off the list's own ground, a text colour to the
// list's own. A pair the user chose whole stands.
RowColorSettings ReadableOn(const ListColors &list, const RowColorSettings &chosen);

#endif
