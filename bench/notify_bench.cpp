// The cost RowPaintProc adds to one notification, measured by calling it as the list's owner is
// called, against a subclass that does nothing but pass the message on.
#include <windows.h>
#include <commctrl.h>

#include "figures.h"
#include "painter_core.h"
#include "settings.h"

namespace {

// 1,000,000 calls of each per repetition, in 20 alternating turns.
const int kTurns = 20;
const int kCallsPerTurn = 50000;
const int kWarmUpCalls = 200000;
// A sender that is no list is checked on every call, which costs far more: fewer calls.
const int kForeignCallsPerTurn = 1000;
const int kForeignWarmUpCalls = 1000;

// Every colour on: the heaviest row, two stores on each.
const RowColorSettings kAllColorsOn = {1, 0x000080, 1, 0x800000, 1, 0xF0F0F0, 1, 0xE0E0E0};

WNDPROC BareNext;  // the procedure the bare subclass passes on to

LRESULT CALLBACK BarePassThroughProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProcA(BareNext, window, message, wparam, lparam);
}

// One candidate: a procedure called with one record, as the list's owner is called.
struct NotifyCall {
    WNDPROC proc;
    HWND owner;
    NMLVCUSTOMDRAW *draw;
};

// Calls the procedure `calls` times, the row number counting up so that both sets of rows take
// their turn. The procedure is read through a volatile pointer so that both candidates are
// called the same way and neither is inlined.
double TimeCalls(void *context, int calls) {
    const NotifyCall *call = static_cast<const NotifyCall *>(context);
    WNDPROC volatile target = call->proc;
    HWND owner = call->owner;
    NMLVCUSTOMDRAW *draw = call->draw;
    LPARAM record = reinterpret_cast<LPARAM>(draw);
    LRESULT sum = 0;
    LONGLONG start = ClockTicks();
    for (int i = 0; i < calls; ++i) {
        draw->nmcd.dwItemSpec = static_cast<DWORD_PTR>(i);
        sum += target(owner, WM_NOTIFY, BENCH_LIST_ID, record);
    }
    LONGLONG elapsed = ClockTicks() - start;
    BenchSink = BenchSink + sum;
    return TicksToNanoseconds(elapsed);
}

PairedSamples MeasureFrom(HWND owner, HWND sender, DWORD stage, int per_turn,
                          const Schedule &schedule) {
    NMLVCUSTOMDRAW draw =
        CustomDrawRecord(sender, stage, 0, {CLR_DEFAULT, CLR_DEFAULT}, BENCH_LIST_ID);
    NotifyCall painter = {RowPaintProc, owner, &draw};
    NotifyCall bare = {BarePassThroughProc, owner, &draw};
    Candidate ours = {TimeCalls, &painter, per_turn};
    Candidate baseline = {TimeCalls, &bare, per_turn};
    return MeasureSideBySide(ours, baseline, schedule);
}

PairedSamples MeasureStage(const BenchList &bench, DWORD stage, int repetitions) {
    Schedule schedule = {repetitions, kTurns, kWarmUpCalls};
    return MeasureFrom(bench.frame, bench.list, stage, kCallsPerTurn, schedule);
}

// Custom-draw notifications from a button beside the list: the contract says the owner gets
// none, but where it does, each one pays for finding out that the sender is no list.
PairedSamples MeasureForeignSender(const BenchList &bench, int repetitions) {
    Schedule schedule = {repetitions, kTurns, kForeignWarmUpCalls};
    return MeasureFrom(bench.frame, bench.button, CDDS_PREPAINT, kForeignCallsPerTurn, schedule);
}

Figure NotifyFigure(const char *key, const char *label, const PairedSamples &samples) {
    Figure figure = {key,
                     label,
                     "bare subclass passing every message on with CallWindowProcA",
                     FORM_RATIO,
                     Summarise(samples),
                     1.10,
                     GOAL_GATE};
    return figure;
}

}  // namespace

BOOL MeasureNotifications(const BenchList &bench, Report *report) {
    // Both procedures pass on to the owner's own procedure: the painter's, installed as its
    // plug-in installs it, and the baseline's, the same procedure.
    WNDPROC owner_proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(bench.frame, GWLP_WNDPROC));
    if (owner_proc == NULL || !InstallRowPaintProc(bench.frame)) return FALSE;
    BareNext = owner_proc;
    RowColorSettings loaded;  // what the painter colours with until the heavy figure
    LoadSettings(&loaded);
    int n = report->repetitions;

    PairedSamples item = MeasureStage(bench, CDDS_ITEMPREPAINT, n);
    AddFigure(report, NotifyFigure("item_prepaint", "item pre-paint, default colours", item));
    SetPainterSettings(kAllColorsOn);
    PairedSamples heavy = MeasureStage(bench, CDDS_ITEMPREPAINT, n);
    AddFigure(report,
              NotifyFigure("item_prepaint_all_colors", "item pre-paint, all colours on", heavy));
    SetPainterSettings(loaded);
    PairedSamples pre = MeasureStage(bench, CDDS_PREPAINT, n);
    // Once per paint, the pre-paint looks at its sender afresh; it has no goal of its own.
    Figure answer = NotifyFigure("prepaint_answer", "pre-paint answer", pre);
    answer.kind = GOAL_NONE;
    AddFigure(report, answer);
    Figure foreign =
        NotifyFigure("foreign_sender", "custom-draw from a button", MeasureForeignSender(bench, n));
    foreign.kind = GOAL_NONE;
    AddFigure(report, foreign);
    RemoveRowPaintProc();
    return TRUE;
}
