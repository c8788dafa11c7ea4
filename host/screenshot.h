// Saving a window as it is drawn, encoded as PNG by the system's imaging component.
#ifndef REFHOST_SCREENSHOT_H
#define REFHOST_SCREENSHOT_H

#include <windows.h>

// Copies the whole window, frame and menu included, into a PNG file at path. Returns S_OK, or
// the error after pointing failed_step at a description of what failed; a save that fails
// while writing removes its partial file.
HRESULT SaveWindowImage(HWND window, const char *path, const char **failed_step);

#endif
