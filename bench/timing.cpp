#include "timing.h"

#include <algorithm>

volatile LONG_PTR BenchSink;

namespace {

LONGLONG TicksPerSecond;

enum { MAX_VALUES = MAX_TURNS > MAX_REPETITIONS ? MAX_TURNS : MAX_REPETITIONS };

// Sorts a copy: the samples keep their repetition order for the ratios.
double MedianOf(const double *values, int count, double *low, double *high) {
    double sorted[MAX_VALUES];
    std::copy(values, values + count, sorted);
    std::sort(sorted, sorted + count);
    if (low != NULL) *low = sorted[0];
    if (high != NULL) *high = sorted[count - 1];
    if (count % 2 == 1) return sorted[count / 2];
    return (sorted[count / 2 - 1] + sorted[count / 2]) / 2;
}

}  // namespace

BOOL StartClock(void) {
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart <= 0) return FALSE;
    TicksPerSecond = frequency.QuadPart;
    return TRUE;
}

LONGLONG ClockTicks(void) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double TicksToNanoseconds(LONGLONG ticks) {
    return static_cast<double>(ticks) * 1e9 / static_cast<double>(TicksPerSecond);
}

void AddSample(PairedSamples *samples, double ours, double baseline) {
    if (samples->count >= MAX_REPETITIONS) return;
    samples->ours[samples->count] = ours;
    samples->baseline[samples->count] = baseline;
    ++samples->count;
}

PairedSamples MeasureSideBySide(const Candidate &ours, const Candidate &baseline,
                                const Schedule &schedule) {
    ours.work(ours.context, schedule.warm_up);
    baseline.work(baseline.context, schedule.warm_up);
    PairedSamples samples = {};
    int turns = schedule.turns < MAX_TURNS ? schedule.turns : MAX_TURNS;
    for (int r = 0; r < schedule.repetitions; ++r) {
        double ours_turns[MAX_TURNS], baseline_turns[MAX_TURNS];
        for (int t = 0; t < turns; ++t) {
            if ((r + t) % 2 == 0) {
                ours_turns[t] = ours.work(ours.context, ours.per_turn);
                baseline_turns[t] = baseline.work(baseline.context, baseline.per_turn);
            } else {
                baseline_turns[t] = baseline.work(baseline.context, baseline.per_turn);
                ours_turns[t] = ours.work(ours.context, ours.per_turn);
            }
        }
        AddSample(&samples, Median(ours_turns, turns) / ours.per_turn,
                  Median(baseline_turns, turns) / baseline.per_turn);
    }
    return samples;
}

double Median(const double *values, int count) {
    if (count <= 0) return 0;
    return MedianOf(values, count < MAX_VALUES ? count : MAX_VALUES, NULL, NULL);
}

Summary Summarise(const PairedSamples &samples) {
    Summary summary = {};
    if (samples.count == 0) return summary;
    double ratios[MAX_REPETITIONS];
    for (int i = 0; i < samples.count; ++i) {
        ratios[i] = samples.baseline[i] > 0 ? samples.ours[i] / samples.baseline[i] : 0;
    }
    summary.ours = MedianOf(samples.ours, samples.count, NULL, NULL);
    summary.baseline = MedianOf(samples.baseline, samples.count, NULL, NULL);
    summary.ratio = MedianOf(ratios, samples.count, &summary.ratio_min, &summary.ratio_max);
    return summary;
}
