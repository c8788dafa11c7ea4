// LoadSettings and SaveSettings on a present file, against one profile call of the kind they make
// once per key: eight such calls are the floor that no load or save through them can beat. A
// save also opens the file alone once to look for a UTF-8 signature, about what one profile call
// costs; a load reads the file once and gives the profile functions a copy of it to read, which
// it writes, drops from their cache and deletes, about what five more calls cost.
#include "figures.h"
#include "settings.h"

namespace {

// 200 loads or saves per repetition, in 20 turns alternating with as many single profile calls as
// they make, so that the turns last alike.
const int kTurns = 20;
const int kCallsPerTurn = 10;
const int kKeys = 8;
const int kWarmUpCalls = 20;
const double kNineCallsAndTenPercent = 9.9;       // eight keys and the signature look
const double kThirteenCallsAndTenPercent = 14.3;  // eight keys from a copy, and the copy

// The key and text the baseline writes: what the file already holds, as in the save it stands for.
const wchar_t kBaselineKey[] = L"TextColor1Enable";
const wchar_t kBaselineText[] = L"0";

wchar_t SettingsPath[MAX_PATH];
RowColorSettings Loaded;

typedef void (*Operation)(void);

void LoadOnce(void) { LoadSettings(&Loaded); }
void ReadOneKey(void) {
    BenchSink =
        BenchSink + GetPrivateProfileIntW(SETTINGS_SECTION_W, kBaselineKey, 0, SettingsPath);
}
void SaveOnce(void) { SaveSettings(&kDefaultSettings); }
void WriteOneKey(void) {
    WritePrivateProfileStringW(SETTINGS_SECTION_W, kBaselineKey, kBaselineText, SettingsPath);
}

struct Repeated {
    Operation operation;
};

double TimeOperation(void *context, int calls) {
    const Repeated *repeated = static_cast<const Repeated *>(context);
    LONGLONG start = ClockTicks();
    for (int i = 0; i < calls; ++i) repeated->operation();
    return TicksToNanoseconds(ClockTicks() - start);
}

PairedSamples MeasurePair(Operation ours, Operation baseline, int repetitions) {
    Repeated ours_repeated = {ours}, baseline_repeated = {baseline};
    Candidate ours_candidate = {TimeOperation, &ours_repeated, kCallsPerTurn};
    Candidate baseline_candidate = {TimeOperation, &baseline_repeated, kKeys * kCallsPerTurn};
    Schedule schedule = {repetitions, kTurns, kWarmUpCalls};
    return MeasureSideBySide(ours_candidate, baseline_candidate, schedule);
}

}  // namespace

BOOL MeasureSettings(Report *report) {
    if (!GetSettingsPath(SettingsPath)) return FALSE;
    // A present file holding the defaults: the saves below then rewrite what it holds.
    if (!SaveSettings(&kDefaultSettings)) return FALSE;
    int n = report->repetitions;
    Figure load = {"load_settings",
                   "LoadSettings vs 1 profile read",
                   "one GetPrivateProfileIntW on the same file",
                   FORM_RATIO,
                   Summarise(MeasurePair(LoadOnce, ReadOneKey, n)),
                   kThirteenCallsAndTenPercent,
                   GOAL_INFORMATIONAL};
    Figure save = {"save_settings",
                   "SaveSettings vs 1 profile write",
                   "one WritePrivateProfileStringW of the value the file holds",
                   FORM_RATIO,
                   Summarise(MeasurePair(SaveOnce, WriteOneKey, n)),
                   kNineCallsAndTenPercent,
                   GOAL_INFORMATIONAL};
    AddFigure(report, load);
    AddFigure(report, save);
    return TRUE;
}
