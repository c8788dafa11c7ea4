// Timing with the performance counter, and the summary of measurements repeated side by side.
#ifndef ALTROWTINT_BENCH_TIMING_H
#define ALTROWTINT_BENCH_TIMING_H

#include <windows.h>

// A median needs an odd count; seven is the least the figures are allowed to rest on.
// MAX_TURNS: turns of one repetition (batches of calls, or repaints).
enum { MIN_REPETITIONS = 7, DEFAULT_REPETITIONS = 11, MAX_REPETITIONS = 31, MAX_TURNS = 64 };

// FALSE when the machine has no performance counter: then nothing can be measured.
BOOL StartClock(void);
LONGLONG ClockTicks(void);
double TicksToNanoseconds(LONGLONG ticks);

// Results are added here so that the compiler cannot drop the work that produced them.
extern volatile LONG_PTR BenchSink;

// One figure measured over several repetitions: in each, the time per operation of our code
// and of its baseline, taken one right after the other.
struct PairedSamples {
    int count;
    double ours[MAX_REPETITIONS];
    double baseline[MAX_REPETITIONS];
};

void AddSample(PairedSamples *samples, double ours, double baseline);

// A piece of work that can be timed: does `count` operations and returns the nanoseconds they
// took, measured inside, so that set-up around the loop stays off the clock.
typedef double (*TimedWork)(void *context, int count);

struct Candidate {
    TimedWork work;
    void *context;
    // Operations in each turn. A slower candidate does fewer, so that the turns of both last
    // about as long and drift of the machine falls on both alike.
    int per_turn;
};

// How two candidates are measured side by side: each repetition is `turns` turns of each, the
// one that goes first changing every turn. A repetition's time per operation of each is the
// median of its turns: a turn in which another process took the processor is no cost of either.
struct Schedule {
    int repetitions;
    int turns;
    int warm_up;  // operations of each before counting
};

// Gives per repetition the nanoseconds per operation of each candidate.
PairedSamples MeasureSideBySide(const Candidate &ours, const Candidate &baseline,
                                const Schedule &schedule);

// The median of count values (at most MAX_TURNS or MAX_REPETITIONS); the values stay in order.
double Median(const double *values, int count);

struct Summary {
    double ours;      // median time per operation
    double baseline;  // median time per operation
    double ratio;     // median of the per-repetition ratios ours / baseline
    double ratio_min;
    double ratio_max;
};

Summary Summarise(const PairedSamples &samples);

#endif
