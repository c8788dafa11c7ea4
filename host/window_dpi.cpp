#include "window_dpi.h"

namespace {

// The window's own DPI, which follows its monitor, where the system tells it (Windows 10 1607 and
// later); before, the DPI of the window's DC, the system's. Looked up at run time, so that the
// host still starts on Windows 7.
int WindowDpi(HWND window) {
    typedef UINT(WINAPI * GetDpiForWindowProc)(HWND);
    typedef void (*AnyProc)(void);  // the neutral type through which function pointers convert
    FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    UINT dpi = found != NULL
                   ? reinterpret_cast<GetDpiForWindowProc>(reinterpret_cast<AnyProc>(found))(window)
                   : 0;
    if (dpi != 0) return static_cast<int>(dpi);
    HDC dc = GetDC(window);
    if (dc == NULL) return USER_DEFAULT_SCREEN_DPI;
    int dc_dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dc_dpi;
}

}  // namespace

int ScaleToWindow(HWND window, int pixels) {
    return MulDiv(pixels, WindowDpi(window), USER_DEFAULT_SCREEN_DPI);
}
