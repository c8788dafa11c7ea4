// Whole repaints of a long list with the painter installed, against the same list with a bare
// subclass that asks for item notifications and changes nothing, and with no subclass at all.
// The variants take turns repaint by repaint, so that drift of the machine falls on all alike.
#include <windows.h>
#include <commctrl.h>

#include "figures.h"
#include "painter_core.h"

namespace {

enum Variant { VARIANT_NONE, VARIANT_BARE, VARIANT_PAINTER, VARIANT_COUNT };

const int kRepaintsPerSample = 30;  // at most MAX_TURNS
const int kWarmUpRepaints = 3;
const UINT kFullRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

WNDPROC BareItemNext;  // the procedure the bare item-asking subclass passes on to

// Asks for item notifications as the painter does, besides what the owner asks for, and leaves
// every colour as the list chose it.
LRESULT CALLBACK BareItemNotifyProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    LRESULT answer = CallWindowProcA(BareItemNext, window, message, wparam, lparam);
    return IsCustomDrawStage(message, lparam, CDDS_PREPAINT) ? answer | CDRF_NOTIFYITEMDRAW
                                                             : answer;
}

// The painter goes in as its plug-in puts it in: in place of the owner's procedure, the
// replaced one recorded for RowPaintProc to pass on to.
void Install(HWND owner, Variant variant) {
    if (variant == VARIANT_PAINTER) InstallRowPaintProc(owner);
    if (variant == VARIANT_BARE) BareItemNext = SubclassWith(owner, BareItemNotifyProc);
}

void Remove(HWND owner, Variant variant) {
    if (variant == VARIANT_PAINTER) RemoveRowPaintProc();
    if (variant == VARIANT_BARE) SubclassWith(owner, BareItemNext);
}

// Nanoseconds of one full repaint. Whatever the paint posted is handled before the next one,
// outside the clock.
double TimeRepaint(HWND list) {
    LONGLONG start = ClockTicks();
    RedrawWindow(list, NULL, NULL, kFullRepaint);
    LONGLONG elapsed = ClockTicks() - start;
    PumpMessages();
    return TicksToNanoseconds(elapsed);
}

double RepaintWith(const BenchList &bench, Variant variant) {
    Install(bench.frame, variant);
    double nanoseconds = TimeRepaint(bench.list);
    Remove(bench.frame, variant);
    return nanoseconds;
}

// Warms the variant up, and records what its repaint does: how many item notifications reach
// the owner's own procedure, and the background the first row gets.
void CheckVariant(const BenchList &bench, Variant variant, RepaintSetup *setup) {
    for (int i = 0; i < kWarmUpRepaints; ++i) {
        LONG before = FrameItemNotifications;
        Install(bench.frame, variant);
        TimeRepaint(bench.list);
        setup->first_row_background[variant] = RowPixel(bench.list, 0);
        Remove(bench.frame, variant);
        setup->items_notified[variant] = static_cast<int>(FrameItemNotifications - before);
    }
}

// One repetition: every variant repaints kRepaintsPerSample times, in turns whose order rotates;
// gives the median nanoseconds per repaint of each (a repaint during which another process took
// the processor tells nothing about the variant).
void MeasureRepetition(const BenchList &bench, double *per_repaint) {
    double times[VARIANT_COUNT][kRepaintsPerSample];
    for (int round = 0; round < kRepaintsPerSample; ++round) {
        for (int k = 0; k < VARIANT_COUNT; ++k) {
            Variant variant = static_cast<Variant>((round + k) % VARIANT_COUNT);
            times[variant][round] = RepaintWith(bench, variant);
        }
    }
    for (int v = 0; v < VARIANT_COUNT; ++v) per_repaint[v] = Median(times[v], kRepaintsPerSample);
}

}  // namespace

BOOL MeasureRepaints(const BenchList &bench, Report *report) {
    RepaintSetup &setup = report->repaint;
    setup.rows = bench.rows;
    setup.columns = bench.columns;
    setup.visible_rows = bench.visible_rows;
    setup.repaints_per_sample = kRepaintsPerSample;
    for (int v = 0; v < VARIANT_COUNT; ++v) CheckVariant(bench, static_cast<Variant>(v), &setup);
    // Unless the painter was asked about the rows and coloured them, there is nothing to compare.
    if (setup.items_notified[VARIANT_PAINTER] == 0) return FALSE;
    if (setup.first_row_background[VARIANT_PAINTER] == setup.first_row_background[VARIANT_BARE]) {
        return FALSE;
    }

    PairedSamples against_bare = {}, against_none = {};
    for (int r = 0; r < report->repetitions; ++r) {
        double per_repaint[VARIANT_COUNT];
        MeasureRepetition(bench, per_repaint);
        AddSample(&against_bare, per_repaint[VARIANT_PAINTER], per_repaint[VARIANT_BARE]);
        AddSample(&against_none, per_repaint[VARIANT_PAINTER], per_repaint[VARIANT_NONE]);
    }
    Figure bare = {"repaint_vs_bare",
                   "repaint vs bare pass-through",
                   "bare subclass answering pre-paint with CDRF_NOTIFYITEMDRAW, changing nothing",
                   FORM_RATIO,
                   Summarise(against_bare),
                   1.05,
                   GOAL_GATE};
    Figure none = {"repaint_vs_none", "repaint vs no subclass", "the list with no subclass",
                   FORM_RATIO,        Summarise(against_none),  0,
                   GOAL_NONE};
    AddFigure(report, bare);
    AddFigure(report, none);
    return TRUE;
}
