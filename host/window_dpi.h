// The host gives its sizes in pixels at 96 DPI (100 %). Being DPI aware (its manifest), it is not
// stretched by Windows on a display scaled to 150 % or 200 %, where its text grows instead: the
// sizes grow with it.
#ifndef REFHOST_WINDOW_DPI_H
#define REFHOST_WINDOW_DPI_H

#include <windows.h>

// pixels, given at 96 DPI, at the DPI the window is drawn at.
int ScaleToWindow(HWND window, int pixels);

#endif
