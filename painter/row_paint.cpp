#include "painter_core.h"
#include "row_paint_chain.h"

#include <commctrl.h>
#include <shlwapi.h>

namespace {

// What the last look at a sender found: the list-view whose rows are being coloured, and the
// last sender whose records pass through untouched (no list-view, or a list left to its own
// colours while high contrast is on). Only the colouring chain looks. Every paint of a control
// starts with its pre-paint, and there the sender is looked at afresh (a handle may have died or
// been reused since); the item notifications that follow cost one compare, so the per-row path
// stays a compare and two stores.
HWND ColoredList;
HWND ForeignSender;

RowColorSettings PainterSettings;

enum { CLASS_NAME_CAPACITY = 256 };

// The class names that list-views carry: the control's own, and those that frameworks give the
// list-views they superclass. A name that merely contains "ListView" proves nothing: a button of
// that name would get a list-view's colours written past the end of its shorter record.
const char kFrameworkListViewName[] = "TListView";
const char kFormsListViewPrefix[] = "WindowsForms10.SysListView32.";
enum { FORMS_LISTVIEW_PREFIX_LENGTH = sizeof kFormsListViewPrefix - 1 };

BOOL IsListViewClassName(const char *name) {
    return lstrcmpiA(name, WC_LISTVIEWA) == 0 || lstrcmpiA(name, kFrameworkListViewName) == 0 ||
           StrCmpNIA(name, kFormsListViewPrefix, FORMS_LISTVIEW_PREFIX_LENGTH) == 0;
}

LRESULT PassOn(const PaintChain *chain, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return chain->unicode ? CallWindowProcW(chain->previous, window, message, wparam, lparam)
                          : CallWindowProcA(chain->previous, window, message, wparam, lparam);
}

// High-contrast themes pair their own text colours with the list's own backgrounds; a tint
// under their near-white text would make every other row unreadable.
BOOL IsHighContrastOn(void) {
    HIGHCONTRASTW contrast = {};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// Decides whether this sender's rows are coloured until its next pre-paint. High contrast can
// be switched while the host runs and no child window hears of it, so it is asked here, once per
// paint; a list left to its own colours is remembered like any other foreign sender, which
// keeps its rows at one compare.
BOOL LookAtSender(HWND sender) {
    BOOL colored = IsListViewWindow(sender) && !IsHighContrastOn();
    if (colored) {
        ColoredList = sender;
        if (ForeignSender == sender) ForeignSender = NULL;
    } else {
        ForeignSender = sender;
        if (ColoredList == sender) ColoredList = NULL;
    }
    return colored;
}

BOOL ColorsSender(HWND sender, DWORD stage) {
    if (stage == CDDS_PREPAINT) return LookAtSender(sender);
    if (sender == ColoredList && sender != NULL) return TRUE;
    if (sender == ForeignSender) return FALSE;
    return LookAtSender(sender);
}

void ColorRow(NMLVCUSTOMDRAW *draw, const RowColorSettings &s) {
    if (draw->nmcd.dwItemSpec & 1) {  // 2nd, 4th, 6th ... row
        if (s.TextColor2Enable) draw->clrText = s.TextColor2;
        if (s.TextBkColor2Enable) draw->clrTextBk = s.TextBkColor2;
    } else {  // 1st, 3rd, 5th ... row
        if (s.TextColor1Enable) draw->clrText = s.TextColor1;
        if (s.TextBkColor1Enable) draw->clrTextBk = s.TextBkColor1;
    }
}

}  // namespace

void SetPainterSettings(const RowColorSettings &settings) { PainterSettings = settings; }

void ForgetSenders(void) { ColoredList = ForeignSender = NULL; }

void RepaintColoredList(void) {
    // No erase: the list fills every row's background itself as it paints.
    if (ColoringChain != NULL && ColoredList != NULL && IsWindow(ColoredList)) {
        InvalidateRect(ColoredList, NULL, FALSE);
    }
}

BOOL IsListViewWindow(HWND window) {
    if (window == NULL || !IsWindow(window)) return FALSE;
    char class_name[CLASS_NAME_CAPACITY];
    if (GetClassNameA(window, class_name, CLASS_NAME_CAPACITY) > 0 &&
        IsListViewClassName(class_name)) {
        return TRUE;
    }
    // A superclass under any other name still answers as a list-view: it hands out its header
    // control, a child of its own. No other control answers a list-view message this way.
    HWND header = ListView_GetHeader(window);
    return header != NULL && IsWindow(header) && GetParent(header) == window;
}

namespace {

// The colouring chain's messages: the list's custom-draw notifications answered and coloured,
// everything else passed on.
LRESULT PaintRows(const PaintChain *chain, HWND window, UINT message, WPARAM wparam,
                  LPARAM lparam) {
    if (message != WM_NOTIFY) return PassOn(chain, window, message, wparam, lparam);
    NMHDR *header = reinterpret_cast<NMHDR *>(lparam);
    if (header == NULL || header->code != static_cast<UINT>(NM_CUSTOMDRAW)) {
        return PassOn(chain, window, message, wparam, lparam);
    }
    // Only a list-view's record is long enough to hold the colours; a toolbar's or a button's
    // shorter record must never be written to, at any stage.
    NMLVCUSTOMDRAW *draw = reinterpret_cast<NMLVCUSTOMDRAW *>(lparam);
    if (!ColorsSender(header->hwndFrom, draw->nmcd.dwDrawStage)) {
        return PassOn(chain, window, message, wparam, lparam);
    }

    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) ColorRow(draw, PainterSettings);
    return PassOn(chain, window, message, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK RowPaintProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    PaintChain *chain = PaintChainOf(window);
    if (chain == NULL) return 0;  // only a direct call can name a window it is not in
    // Counted while under way, so that a stop from inside this very call keeps the module.
    ++chain->calls_under_way;
    LRESULT result = chain == ColoringChain ? PaintRows(chain, window, message, wparam, lparam)
                                            : PassOn(chain, window, message, wparam, lparam);
    --chain->calls_under_way;
    return result;
}
