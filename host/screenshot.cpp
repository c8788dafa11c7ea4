#include "screenshot.h"

#include "png_writer.h"

namespace {
enum { BITS_PER_PIXEL = 24, DIB_ROW_ALIGNMENT = 4 };
}

BOOL SaveWindowImage(HWND window, const char *path) {
    RECT bounds;
    if (!GetWindowRect(window, &bounds)) return FALSE;
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // negative: rows top-down, as PNG stores them
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = BITS_PER_PIXEL;
    format.bmiHeader.biCompression = BI_RGB;

    HDC window_dc = GetWindowDC(window);
    HDC memory_dc = CreateCompatibleDC(window_dc);
    void *pixels = NULL;
    HBITMAP image = CreateDIBSection(window_dc, &format, DIB_RGB_COLORS, &pixels, NULL, 0);
    BOOL ok = FALSE;
    if (memory_dc != NULL && image != NULL) {
        HGDIOBJ previous = SelectObject(memory_dc, image);
        // The window DC reads what the window itself drew, frame and menu included.
        ok = BitBlt(memory_dc, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
        SelectObject(memory_dc, previous);
        GdiFlush();
        int stride =
            ((width * BITS_PER_PIXEL / 8) + DIB_ROW_ALIGNMENT - 1) & ~(DIB_ROW_ALIGNMENT - 1);
        ok = ok && WritePng(path, width, height, static_cast<const BYTE *>(pixels), stride);
    }
    if (image != NULL) DeleteObject(image);
    if (memory_dc != NULL) DeleteDC(memory_dc);
    ReleaseDC(window, window_dc);
    return ok;
}
