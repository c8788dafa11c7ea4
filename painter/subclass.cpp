#include "subclass.h"

#include "row_paint.h"
#include "row_paint_chain.h"

namespace {

HWND Subclassed;
BOOL SubclassedUnicode;  // the character set RowPaintProc went in with
// A reference on this module for as long as RowPaintProc is in a window's chain: a subclass that
// went in above it calls through it for as long as the window lives, also after the host freed
// the module without a stop. Released only here, from the start and stop callbacks, which the
// host calls while it holds the module itself.
HMODULE HeldModule;

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
    HMODULE held = NULL;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&RowPaintProc), &held)) {
        return FALSE;
    }
    SubclassedUnicode = IsWindowUnicode(target);
    PassOnThrough = SubclassedUnicode ? CallWindowProcW : CallWindowProcA;
    WNDPROC previous = ReplaceProc(target, RowPaintProc);
    if (previous == NULL) {  // a window of another process, for one
        FreeLibrary(held);
        return FALSE;
    }
    PreviousWndProc = previous;
    Subclassed = target;
    HeldModule = held;
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
    // No window calls into this module any more; the host's own reference keeps it mapped until
    // this callback has returned.
    FreeLibrary(HeldModule);
    HeldModule = NULL;
    return TRUE;
}

HWND SubclassedWindow(void) { return Subclassed; }
