#include "screenshot.h"

#include <shlwapi.h>
#include <wincodec.h>

#include "host_resource.h"

namespace {

enum { BITS_PER_PIXEL = 24 };  // maps straight to the PNG encoder's 24bppBGR

// The smallest rectangle on the screen that covers every window given.
RECT CoveringRect(const HWND *windows, int count) {
    RECT covering = {};
    for (int i = 0; i < count; ++i) {
        RECT bounds;
        if (GetWindowRect(windows[i], &bounds)) UnionRect(&covering, &covering, &bounds);
    }
    return covering;
}

// PrintWindow's flags: the whole window, frame and menu included, and its content drawn through
// DirectComposition as well. PW_RENDERFULLCONTENT is declared only for Windows 8.1 and later, and
// the systems before refuse it.
const UINT kPrintFullContent = 0x00000002;  // PW_RENDERFULLCONTENT
const UINT kPrintWholeWindow = 0;

// Wine's PrintWindow reports success, yet the window draws no more than its background there: no
// frame, menu or child window. Wine is known by the export its ntdll adds.
BOOL SystemPrintsWindows(void) {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll == NULL || GetProcAddress(ntdll, "wine_get_version") == NULL;
}

// Has the window draw itself into the picture at x, y. On a composited desktop only this shows
// the window rather than whatever covers it (another program's window, a screen saver).
// PrintWindow draws at the origin of the DC it is given, hence the window-sized image between.
BOOL PrintWindowInto(HDC memory_dc, HWND window, int x, int y, int width, int height) {
    if (!SystemPrintsWindows()) return FALSE;
    HDC print_dc = CreateCompatibleDC(memory_dc);
    HBITMAP print_image = CreateCompatibleBitmap(memory_dc, width, height);
    BOOL printed = FALSE;
    if (print_dc != NULL && print_image != NULL) {
        HGDIOBJ previous = SelectObject(print_dc, print_image);
        printed = PrintWindow(window, print_dc, kPrintFullContent) ||
                  PrintWindow(window, print_dc, kPrintWholeWindow);
        if (printed) printed = BitBlt(memory_dc, x, y, width, height, print_dc, 0, 0, SRCCOPY);
        SelectObject(print_dc, previous);
    }
    if (print_image != NULL) DeleteObject(print_image);
    if (print_dc != NULL) DeleteDC(print_dc);
    return printed;
}

// Draws what the window itself drew, frame and menu included, at its place within area; from
// the window's own DC only where the system cannot print the window, since on a composited
// desktop that DC shows whatever lies over the window.
BOOL CopyWindowInto(HDC memory_dc, HWND window, const RECT &area) {
    RECT bounds;
    if (!GetWindowRect(window, &bounds)) return FALSE;
    int x = bounds.left - area.left, y = bounds.top - area.top;
    int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (PrintWindowInto(memory_dc, window, x, y, width, height)) return TRUE;
    HDC window_dc = GetWindowDC(window);
    if (window_dc == NULL) return FALSE;
    BOOL copied = BitBlt(memory_dc, x, y, width, height, window_dc, 0, 0, SRCCOPY);
    ReleaseDC(window, window_dc);
    return copied;
}

// A copy of the windows, each drawn over the ones before it, on the desktop's colour where
// none of them lies; NULL on failure.
HBITMAP CopyWindowsImage(const HWND *windows, int count) {
    RECT area = CoveringRect(windows, count);
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return NULL;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // negative: rows top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = BITS_PER_PIXEL;
    format.bmiHeader.biCompression = BI_RGB;

    HDC screen_dc = GetDC(NULL);
    HDC memory_dc = CreateCompatibleDC(screen_dc);
    void *pixels = NULL;
    HBITMAP image = CreateDIBSection(screen_dc, &format, DIB_RGB_COLORS, &pixels, NULL, 0);
    BOOL copied = FALSE;
    if (memory_dc != NULL && image != NULL) {
        HGDIOBJ previous = SelectObject(memory_dc, image);
        RECT whole = {0, 0, width, height};
        FillRect(memory_dc, &whole, GetSysColorBrush(COLOR_DESKTOP));
        copied = TRUE;
        for (int i = 0; i < count && copied; ++i) {
            copied = CopyWindowInto(memory_dc, windows[i], area);
        }
        SelectObject(memory_dc, previous);
        GdiFlush();
    }
    if (!copied && image != NULL) DeleteObject(image);
    if (memory_dc != NULL) DeleteDC(memory_dc);
    ReleaseDC(NULL, screen_dc);
    return copied ? image : NULL;
}

HRESULT EncodeFrame(IWICBitmapEncoder *encoder, IWICBitmap *bitmap) {
    UINT width = 0, height = 0;
    HRESULT hr = bitmap->GetSize(&width, &height);
    IWICBitmapFrameEncode *frame = NULL;
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, NULL);
    if (FAILED(hr)) return hr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    hr = frame->Initialize(NULL);
    if (SUCCEEDED(hr)) hr = frame->SetSize(width, height);
    if (SUCCEEDED(hr)) hr = frame->SetPixelFormat(&format);
    if (SUCCEEDED(hr)) hr = frame->WriteSource(bitmap, NULL);
    if (SUCCEEDED(hr)) hr = frame->Commit();
    frame->Release();
    return hr;
}

HRESULT EncodePng(IWICImagingFactory *factory, IWICBitmap *bitmap, IStream *file) {
    IWICBitmapEncoder *encoder = NULL;
    HRESULT hr = factory->CreateEncoder(GUID_ContainerFormatPng, NULL, &encoder);
    if (FAILED(hr)) return hr;
    hr = encoder->Initialize(file, WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = EncodeFrame(encoder, bitmap);
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    encoder->Release();
    return hr;
}

HRESULT WritePngFile(IWICImagingFactory *factory, HBITMAP image, const wchar_t *path,
                     UINT *failure) {
    IWICBitmap *bitmap = NULL;
    *failure = IDS_SCREENSHOT_HAND_OVER;
    HRESULT hr = factory->CreateBitmapFromHBITMAP(image, NULL, WICBitmapIgnoreAlpha, &bitmap);
    if (FAILED(hr)) return hr;
    IStream *file = NULL;
    *failure = IDS_SCREENSHOT_CREATE_FILE;
    hr = SHCreateStreamOnFileW(path, STGM_WRITE | STGM_CREATE | STGM_SHARE_EXCLUSIVE, &file);
    if (SUCCEEDED(hr)) {
        *failure = IDS_SCREENSHOT_ENCODE;
        hr = EncodePng(factory, bitmap, file);
        file->Release();                    // closes the file
        if (FAILED(hr)) DeleteFileW(path);  // no half image left behind
    }
    bitmap->Release();
    return hr;
}

HRESULT SaveImage(HBITMAP image, const wchar_t *path, UINT *failure) {
    IWICImagingFactory *factory = NULL;
    *failure = IDS_SCREENSHOT_IMAGING;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, reinterpret_cast<void **>(&factory));
    if (FAILED(hr)) return hr;
    hr = WritePngFile(factory, image, path, failure);
    factory->Release();
    return hr;
}

}  // namespace

HRESULT SaveWindowsImage(const HWND *windows, int count, const wchar_t *path, UINT *failure) {
    *failure = IDS_SCREENSHOT_COM;
    HRESULT hr = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    if (FAILED(hr)) return hr;
    HBITMAP image = CopyWindowsImage(windows, count);
    if (image != NULL) {
        hr = SaveImage(image, path, failure);
        DeleteObject(image);
    } else {
        *failure = IDS_SCREENSHOT_COPY_WINDOW;
        hr = E_FAIL;
    }
    CoUninitialize();
    return hr;
}
