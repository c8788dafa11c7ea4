// Saving a window as it is drawn, encoded as PNG by the system's imaging component.
#ifndef REFHOST_SCREENSHOT_H
#define REFHOST_SCREENSHOT_H

#include <windows.h>

// Copies the windows, frames and menus included, into a PNG file at path: the picture covers
// them all, each drawn over the ones before it as they lie on the screen. Returns S_OK, or the
// error after setting failure to the host's text (IDS_SCREENSHOT_...) for the step that failed;
// a save that fails while writing removes its partial file.
HRESULT SaveWindowsImage(const HWND *windows, int count, const wchar_t *path, UINT *failure);

#endif
