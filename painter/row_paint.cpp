#include "painter_core.h"
#include "readable_rows.h"
#include "row_paint_chain.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <iterator>

namespace {

// What the last look at a sender found: the list-view whose rows are being coloured, and the
// last sender whose records pass through untouched (no list-view, or a list left to its own
// colours while high contrast is on). Only the colouring chain looks. Every paint of a control
// starts with its pre-paint, and there the sender is looked at afresh (a handle may have died or
// been reused since); the item notifications that follow cost one compare, so the per-row path
// stays a compare and two stores.
HWND ColoredList;
HWND ForeignSender;

// The settings as set, and what the rows of the coloured list get of them: the same, made
// readable where the list is dark. Its own colours are read at its pre-paint, so that the rows
// cost nothing more.
RowColorSettings PainterSettings;
ListColors ColoredListColors;
RowColorSettings RowSettings;

enum { CLASS_NAME_CAPACITY = 256 };

// Whether name is the control class `own`, or a framework's superclass of it, which carries the
// class's name between a prefix and a suffix of its own ("WindowsForms10.SysListView32.app.0.1").
const char kFormsPrefix[] = "WindowsForms10.";
enum { FORMS_PREFIX_LENGTH = sizeof kFormsPrefix - 1 };

BOOL IsClassOrFormsOf(const char *name, const char *own) {
    if (lstrcmpiA(name, own) == 0) return TRUE;
    if (StrCmpNIA(name, kFormsPrefix, FORMS_PREFIX_LENGTH) != 0) return FALSE;
    const char *inner = name + FORMS_PREFIX_LENGTH;
    int length = lstrlenA(own);
    return StrCmpNIA(inner, own, length) == 0 && inner[length] == '.';
}

// The class names that list-views carry: the control's own, and those that frameworks give the
// list-views they superclass. A name that merely contains "ListView" proves nothing: a button of
// that name would get a list-view's colours written past the end of its shorter record.
const char kFrameworkListViewName[] = "TListView";

BOOL IsListViewClassName(const char *name) {
    return IsClassOrFormsOf(name, WC_LISTVIEWA) || lstrcmpiA(name, kFrameworkListViewName) == 0;
}

// The system's and the common controls' own classes that are no list-views. They are never asked
// whether they are one: to a month calendar, the list-view's question is a message of its own,
// and the others log it as unknown.
const char *const kOtherControlClassNames[] = {
    WC_TREEVIEWA,   WC_HEADERA,      TOOLBARCLASSNAMEA, REBARCLASSNAMEA,     TOOLTIPS_CLASSA,
    WC_BUTTONA,     TRACKBAR_CLASSA, MONTHCAL_CLASSA,   DATETIMEPICK_CLASSA, STATUSCLASSNAMEA,
    WC_TABCONTROLA, PROGRESS_CLASSA, UPDOWN_CLASSA,     HOTKEY_CLASSA,       WC_PAGESCROLLERA,
    ANIMATE_CLASSA, WC_COMBOBOXEXA,  "SysLink",         WC_IPADDRESSA,       WC_NATIVEFONTCTLA,
    WC_EDITA,       WC_STATICA,      WC_COMBOBOXA,      WC_LISTBOXA,         WC_SCROLLBARA,
    "ComboLBox",    "RichEdit20A",   "RichEdit20W",     "RICHEDIT50W"};

BOOL IsOtherControlClassName(const char *name) {
    return std::any_of(std::begin(kOtherControlClassNames), std::end(kOtherControlClassNames),
                       [name](const char *other) { return IsClassOrFormsOf(name, other); });
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
        ColoredListColors = ReadListColors(sender);
        RowSettings = ReadableOn(ColoredListColors, PainterSettings);
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

void SetPainterSettings(const RowColorSettings &settings) {
    PainterSettings = settings;
    RowSettings = ReadableOn(ColoredListColors, settings);
}

void ForgetSenders(void) { ColoredList = ForeignSender = NULL; }

namespace {

// No erase: a list fills every row's background itself as it paints.
BOOL CALLBACK RepaintIfListOf(HWND child, LPARAM owner) {
    if (GetParent(child) == reinterpret_cast<HWND>(owner) && IsListViewWindow(child)) {
        InvalidateRect(child, NULL, FALSE);
    }
    return TRUE;
}

}  // namespace

void RepaintColoredLists(void) {
    if (ColoringChain == NULL) return;
    // Every list whose notifications reach the owner, the one that painted last among them: a
    // split view has two.
    EnumChildWindows(ColoringChain->window, RepaintIfListOf,
                     reinterpret_cast<LPARAM>(ColoringChain->window));
    if (ColoredList != NULL && IsWindow(ColoredList)) InvalidateRect(ColoredList, NULL, FALSE);
}

BOOL IsListViewWindow(HWND window) {
    if (window == NULL || !IsWindow(window)) return FALSE;
    char class_name[CLASS_NAME_CAPACITY];
    if (GetClassNameA(window, class_name, CLASS_NAME_CAPACITY) > 0) {
        if (IsListViewClassName(class_name)) return TRUE;
        if (IsOtherControlClassName(class_name)) return FALSE;
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

    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        // The owner answers first, once per paint: one that paints the list itself keeps it to
        // itself; any other gets the rows' notifications besides what it asked for (a post-paint
        // for an overlay, say). An owner that does no custom draw answers 0.
        LRESULT asked = PassOn(chain, window, message, wparam, lparam);
        return (asked & CDRF_SKIPDEFAULT) != 0 ? asked : asked | CDRF_NOTIFYITEMDRAW;
    }
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) ColorRow(draw, RowSettings);
    return PassOn(chain, window, message, wparam, lparam);
}

}  // namespace

LRESULT CALLBACK RowPaintProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    PaintChain *chain = PaintChainOf(window);
    if (chain == NULL) return 0;  // only a direct call can name a window it is not in
    // Counted while under way, so that a stop from inside this very call keeps the module. Only
    // the window's own thread calls its procedure, so plain counting is enough; a stop on another
    // thread only reads the count.
    ++chain->calls_under_way;
    LRESULT result = chain == ColoringChain ? PaintRows(chain, window, message, wparam, lparam)
                                            : PassOn(chain, window, message, wparam, lparam);
    if (message == WM_NCDESTROY) ForgetDestroyedWindow(chain);
    --chain->calls_under_way;
    return result;
}
