// The measurements. Each adds its figures to the report and returns FALSE only when it could
// not measure at all.
#ifndef ALTROWTINT_BENCH_FIGURES_H
#define ALTROWTINT_BENCH_FIGURES_H

#include "bench_windows.h"
#include "report.h"

// RowPaintProc called directly with the list's custom-draw notifications, against a bare
// pass-through subclass in front of the same previous procedure.
BOOL MeasureNotifications(const BenchList &bench, Report *report);

// Whole repaints of the list: painter installed, bare item-asking subclass, no subclass.
BOOL MeasureRepaints(const BenchList &bench, Report *report);

// LoadSettings and SaveSettings against one profile call each.
BOOL MeasureSettings(Report *report);

// Sizes of the built plug-ins, found in the plugin folder beside the benchmark's folder.
BOOL MeasureSizes(Report *report);

// Writes the full name of `relative`, taken from the benchmark's own folder, into path
// (MAX_PATH characters); FALSE when it does not fit.
BOOL PathBesideBenchmark(char *path, const char *relative);

#endif
