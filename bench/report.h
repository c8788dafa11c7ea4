// The benchmark's figures, printed as a table and written as JSON.
#ifndef ALTROWTINT_BENCH_REPORT_H
#define ALTROWTINT_BENCH_REPORT_H

#include <windows.h>

#include "timing.h"

enum FigureForm {
    FORM_RATIO,  // ours against a baseline measured beside it
    FORM_SIZE    // a file size against a limit
};

enum GoalKind {
    GOAL_GATE,           // the figure is held to its goal
    GOAL_INFORMATIONAL,  // the goal is given for orientation only
    GOAL_NONE            // reported for context; no goal
};

struct Figure {
    const char *key;       // name in the JSON
    const char *label;     // name in the table
    const char *baseline;  // what the baseline is
    FigureForm form;
    Summary summary;  // FORM_SIZE: summary.ours holds the bytes
    double goal;      // largest ratio, or largest size in bytes
    GoalKind kind;
};

enum { MAX_FIGURES = 16, TEXT_CAPACITY = 128 };

// What the whole-repaint figures rest on, so that a reader can check the set-up.
struct RepaintSetup {
    int rows;
    int columns;
    int visible_rows;
    int repaints_per_sample;
    int items_notified[3];             // per repaint: no subclass, bare pass-through, painter
    COLORREF first_row_background[3];  // as painted by each of the three
};

struct Machine {
    int processors;
    char cpu[TEXT_CAPACITY];
    char wine[TEXT_CAPACITY];  // empty when not running under Wine
};

struct Report {
    int repetitions;
    int count;
    Figure figures[MAX_FIGURES];
    RepaintSetup repaint;
    Machine machine;
};

void AddFigure(Report *report, const Figure &figure);
BOOL FigurePasses(const Figure &figure);
void PrintReport(const Report &report);
BOOL WriteReportJson(const Report &report, const char *path);

#endif
