#include "subclass.h"

#include "row_paint.h"

namespace {

HWND Subclassed;
BOOL SubclassedUnicode;  // the character set RowPaintProc went in with

// A procedure is read back with the function of the character set it was set with; the other
// one would hand out a conversion stub instead of RowPaintProc.
WNDPROC CurrentProc(HWND window) {
    return reinterpret_cast<WNDPROC>(SubclassedUnicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                       : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

WNDPROC ReplaceProc(HWND window, WNDPROC proc) {
    LONG_PTR value = reinterpret_cast<LONG_PTR>(proc);
    return reinterpret_cast<WNDPROC>(SubclassedUnicode
                                         ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                         : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

}  // namespace

BOOL InstallRowPaintProc(HWND target) {
    SubclassedUnicode = IsWindowUnicode(target);
    PassOnThrough = SubclassedUnicode ? CallWindowProcW : CallWindowProcA;
    WNDPROC previous = ReplaceProc(target, RowPaintProc);
    if (previous == NULL) return FALSE;  // a window of another process, for one
    PreviousWndProc = previous;
    Subclassed = target;
    return TRUE;
}

BOOL RemoveRowPaintProc(void) {
    if (PreviousWndProc == NULL) return TRUE;
    if (IsWindow(Subclassed)) {
        if (CurrentProc(Subclassed) != RowPaintProc) return FALSE;
        ReplaceProc(Subclassed, PreviousWndProc);
    }
    PreviousWndProc = NULL;
    Subclassed = NULL;
    return TRUE;
}

HWND SubclassedWindow(void) { return Subclassed; }
