#include "painter_core.h"
#include "row_paint_chain.h"

#include <algorithm>

PaintChain *ColoringChain;

namespace {

// Windows RowPaintProc can sit in at once: the one it colours, and those where an earlier stop
// had to leave it below another subclass while that window lives on.
enum { MAX_PAINT_CHAINS = 8 };
PaintChain Chains[MAX_PAINT_CHAINS];
// This module, on which each chain holds a reference of its own.
HMODULE ThisModule;

// A procedure is read back with the function of the character set it was set with; the other
// one would hand out a conversion stub instead of RowPaintProc.
WNDPROC CurrentProc(const PaintChain &chain) {
    return reinterpret_cast<WNDPROC>(chain.unicode ? GetWindowLongPtrW(chain.window, GWLP_WNDPROC)
                                                   : GetWindowLongPtrA(chain.window, GWLP_WNDPROC));
}

WNDPROC ReplaceProc(const PaintChain &chain, WNDPROC proc) {
    LONG_PTR value = reinterpret_cast<LONG_PTR>(proc);
    return reinterpret_cast<WNDPROC>(chain.unicode
                                         ? SetWindowLongPtrW(chain.window, GWLP_WNDPROC, value)
                                         : SetWindowLongPtrA(chain.window, GWLP_WNDPROC, value));
}

// Lets go of the module, unless RowPaintProc is still running for the window: the host stopped
// the painter from inside a message that came through it and may free the module as soon as the
// stop returns, while that call has yet to return into it. Then the hold is kept, as an unload
// without a stop keeps it, and the module stays loaded until the process ends.
void ReleaseChain(PaintChain *chain) {
    if (chain->calls_under_way == 0) FreeLibrary(ThisModule);
    if (ColoringChain == chain) ColoringChain = NULL;
    chain->state = CHAIN_LEFT;
}

// Only while RowPaintProc is still the window's own procedure can the previous one go back;
// putting it back over a later subclass would cut that one out of the chain, which still calls
// through RowPaintProc for as long as the window lives.
BOOL LeaveChain(PaintChain *chain) {
    if (chain->state == CHAIN_ENTERED && IsWindow(chain->window)) {
        if (CurrentProc(*chain) != RowPaintProc) return FALSE;
        ReplaceProc(*chain, chain->previous);
    }
    ReleaseChain(chain);
    return TRUE;
}

// The entry for which `matches` holds; NULL when there is none.
template <typename Predicate>
PaintChain *FindChain(Predicate matches) {
    PaintChain *end = Chains + MAX_PAINT_CHAINS, *found = std::find_if(Chains, end, matches);
    return found != end ? found : NULL;
}

BOOL HoldsModule(const PaintChain &chain) {
    return chain.window != NULL && chain.state != CHAIN_LEFT;
}

// Leaves every chain but `kept` where it can; FALSE when one had to stay.
BOOL LeaveOtherChains(const PaintChain *kept) {
    BOOL all_left = TRUE;
    for (PaintChain &chain : Chains) {
        if (HoldsModule(chain) && &chain != kept && !LeaveChain(&chain)) all_left = FALSE;
    }
    return all_left;
}

// An entry to go into target's chain with: the one that last left target, else one never
// used, else one that left another window and has no call under way.
PaintChain *FreeChain(HWND target) {
    PaintChain *chain = FindChain(
        [target](const PaintChain &c) { return c.window == target && c.state == CHAIN_LEFT; });
    if (chain == NULL) chain = FindChain([](const PaintChain &c) { return c.window == NULL; });
    if (chain == NULL) {
        chain = FindChain(
            [](const PaintChain &c) { return c.state == CHAIN_LEFT && c.calls_under_way == 0; });
    }
    return chain;
}

// Puts RowPaintProc into the window's chain, holding the module for as long as it stays there.
PaintChain *EnterChain(HWND target) {
    PaintChain *chain = FreeChain(target);
    if (chain == NULL ||
        !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&RowPaintProc), &ThisModule)) {
        return NULL;
    }
    chain->window = target;
    chain->unicode = IsWindowUnicode(target);
    // Known before RowPaintProc is in place: the window's own thread may call it at once.
    chain->previous = CurrentProc(*chain);
    chain->state = CHAIN_ENTERED;
    chain->previous = ReplaceProc(*chain, RowPaintProc);
    if (chain->previous == NULL) {  // a window of another process, for one
        chain->window = NULL;
        chain->state = CHAIN_LEFT;
        FreeLibrary(ThisModule);
        return NULL;
    }
    return chain;
}

}  // namespace

PaintChain *PaintChainOf(HWND window) {
    if (ColoringChain != NULL && ColoringChain->window == window) return ColoringChain;
    if (window == NULL) return NULL;  // the mark of an entry never used, never a window
    // A handle may come back for a new window while an entry still names the old one: the
    // entry that holds RowPaintProc in a chain goes first.
    PaintChain *held = FindChain([window](const PaintChain &chain) {
        return chain.window == window && chain.state != CHAIN_LEFT;
    });
    return held != NULL
               ? held
               : FindChain([window](const PaintChain &chain) { return chain.window == window; });
}

void ForgetDestroyedWindow(PaintChain *chain) {
    if (chain->state != CHAIN_ENTERED) return;
    chain->state = CHAIN_DESTROYED;
    if (ColoringChain == chain) {
        ColoringChain = NULL;
        ForgetSenders();
    }
}

BOOL InstallRowPaintProc(HWND target) {
    // Still in this very window's chain from an earlier stop, RowPaintProc colours from there and
    // never goes in twice; left in other windows' chains, it comes out of them where it can.
    PaintChain *chain = FindChain(
        [target](const PaintChain &c) { return c.window == target && c.state == CHAIN_ENTERED; });
    LeaveOtherChains(chain);
    if (chain == NULL) chain = EnterChain(target);
    if (chain == NULL) return FALSE;
    ColoringChain = chain;
    ForgetSenders();
    return TRUE;
}

BOOL RemoveRowPaintProc(void) {
    ColoringChain = NULL;
    ForgetSenders();
    return LeaveOtherChains(NULL);
}

HWND ColoringWindow(void) { return ColoringChain != NULL ? ColoringChain->window : NULL; }
