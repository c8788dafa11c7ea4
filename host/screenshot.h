// Saving a window as it is drawn.
#ifndef REFHOST_SCREENSHOT_H
#define REFHOST_SCREENSHOT_H

#include <windows.h>

// Copies the whole window, frame and menu included, into a PNG file at path.
BOOL SaveWindowImage(HWND window, const char *path);

#endif
