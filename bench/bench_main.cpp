// The benchmark: what the row painter adds to every paint of the host's list, what a settings
// load and save cost against the profile calls they consist of, and how big the plug-ins are.
// Every time is a ratio against a baseline measured beside it in the same run; a missed goal is
// reported, not failed. The exit code is nonzero only when something could not be measured.
//
//   altrowtint_bench.exe [--repetitions N] [results.json]
//
// Without a path the JSON goes to results.json beside the executable.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "bench_windows.h"
#include "figures.h"
#include "machine.h"
#include "report.h"
#include "painter_core.h"
#include "settings.h"

namespace {

const int kListRows = 10000;
const int kListColumns = 5;
const int kVisibleRows = 50;
const char kDefaultJsonName[] = "results.json";
const int kCouldNotMeasure = 1;

struct Options {
    int repetitions;
    char json_path[MAX_PATH];
};

BOOL ParseOptions(int argc, char **argv, Options *options) {
    options->repetitions = DEFAULT_REPETITIONS;
    options->json_path[0] = '\0';
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--repetitions") == 0 && i + 1 < argc) {
            options->repetitions = atoi(argv[++i]);
        } else if (argv[i][0] != '-' && strlen(argv[i]) < MAX_PATH) {
            strcpy(options->json_path, argv[i]);
        } else {
            return FALSE;
        }
    }
    if (options->repetitions < MIN_REPETITIONS) options->repetitions = MIN_REPETITIONS;
    if (options->repetitions > MAX_REPETITIONS) options->repetitions = MAX_REPETITIONS;
    if (options->json_path[0] == '\0')
        return PathBesideBenchmark(options->json_path, kDefaultJsonName);
    return TRUE;
}

// Progress on the way, so that a long run shows where it is.
void Progress(const char *what) {
    static LONGLONG started = ClockTicks();
    printf("[%6.1f s] %s\n", TicksToNanoseconds(ClockTicks() - started) / 1e9, what);
    fflush(stdout);
}

int CouldNotMeasure(const char *what) {
    fprintf(stderr, "altrowtint_bench: could not measure: %s\n", what);
    return kCouldNotMeasure;
}

// Runs every measurement; names the first that could not be made, or returns NULL.
const char *Measure(Report *report) {
    Progress("plug-in sizes");
    if (!MeasureSizes(report)) return "the plug-ins' sizes (are they built?)";
    Progress("settings load and save");
    // The settings file exists from here on, holding the defaults the painter then loads.
    if (!MeasureSettings(report)) return "the settings file beside the benchmark";
    RowColorSettings loaded;
    LoadSettings(&loaded);
    SetPainterSettings(loaded);
    Progress("filling the list");
    BenchList bench = {};
    if (!CreateBenchList(&bench, kListRows, kListColumns, kVisibleRows)) {
        return "the list-view (is there a display?)";
    }
    Progress("notifications");
    const char *failed = NULL;
    if (!MeasureNotifications(bench, report)) failed = "the notification path";
    if (failed == NULL) Progress("repaints");
    if (failed == NULL && !MeasureRepaints(bench, report)) {
        failed =
            "the repaints (the painter was not asked about the rows, or left them as they were)";
    }
    Progress("done");
    DestroyBenchList(&bench);
    return failed;
}

}  // namespace

int main(int argc, char **argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        fprintf(stderr, "usage: altrowtint_bench.exe [--repetitions N] [results.json]\n");
        return kCouldNotMeasure;
    }
    if (!StartClock()) return CouldNotMeasure("no performance counter");
    static Report report;  // large; off the stack
    report.repetitions = options.repetitions;
    DescribeMachine(&report.machine);
    const char *failed = Measure(&report);
    if (failed != NULL) return CouldNotMeasure(failed);
    PrintReport(report);
    if (!WriteReportJson(report, options.json_path)) return CouldNotMeasure(options.json_path);
    printf("results: %s\n", options.json_path);
    return 0;
}
