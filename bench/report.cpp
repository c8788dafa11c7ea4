#include "report.h"

#include <stdio.h>

namespace {

const char kRule[] =
    "------------------------------------------------------------------------------------------"
    "------------\n";
const double kMicrosecondsFrom = 10000.0;  // ns; longer times read better in microseconds

// Writes a time with a unit that keeps it short.
void FormatTime(char *text, double nanoseconds) {
    if (nanoseconds >= kMicrosecondsFrom) {
        sprintf(text, "%.1f us", nanoseconds / 1000.0);
    } else {
        sprintf(text, "%.1f ns", nanoseconds);
    }
}

// A COLORREF (0x00BBGGRR) as the usual #RRGGBB number.
unsigned long Rgb(COLORREF color) {
    return (static_cast<unsigned long>(GetRValue(color)) << 16) |
           (static_cast<unsigned long>(GetGValue(color)) << 8) | GetBValue(color);
}

void FormatGoal(char *text, const Figure &figure) {
    if (figure.kind == GOAL_NONE) {
        sprintf(text, "-");
    } else if (figure.form == FORM_SIZE) {
        sprintf(text, "<= %.0f B", figure.goal);
    } else {
        sprintf(text, "<= %.2f", figure.goal);
    }
}

const char *ResultWord(const Figure &figure) {
    if (figure.kind == GOAL_NONE) return "-";
    if (figure.kind == GOAL_INFORMATIONAL)
        return FigurePasses(figure) ? "pass (info)" : "miss (info)";
    return FigurePasses(figure) ? "pass" : "FAIL";
}

void PrintFigure(const Figure &figure) {
    char ours[TEXT_CAPACITY], baseline[TEXT_CAPACITY], ratio[TEXT_CAPACITY], goal[TEXT_CAPACITY];
    if (figure.form == FORM_SIZE) {
        sprintf(ours, "%.0f B", figure.summary.ours);
        sprintf(baseline, "-");
        sprintf(ratio, "-");
    } else {
        FormatTime(ours, figure.summary.ours);
        FormatTime(baseline, figure.summary.baseline);
        sprintf(ratio, "%.3f (%.3f..%.3f)", figure.summary.ratio, figure.summary.ratio_min,
                figure.summary.ratio_max);
    }
    FormatGoal(goal, figure);
    printf("%-34s %11s %11s  %-22s %-10s %s\n", figure.label, ours, baseline, ratio, goal,
           ResultWord(figure));
}

void PrintSetup(const Report &report) {
    const RepaintSetup &r = report.repaint;
    printf(
        "repaint: %d rows x %d columns, %d visible, %d repaints per variant and repetition;\n"
        "item notifications per repaint: no subclass %d, bare pass-through %d, painter %d\n",
        r.rows, r.columns, r.visible_rows, r.repaints_per_sample, r.items_notified[0],
        r.items_notified[1], r.items_notified[2]);
    printf("first row's background: no subclass #%06lX, bare pass-through #%06lX, painter #%06lX\n",
           Rgb(r.first_row_background[0]), Rgb(r.first_row_background[1]),
           Rgb(r.first_row_background[2]));
    printf("machine: %d processors, %s, %s\n", report.machine.processors, report.machine.cpu,
           report.machine.wine[0] != '\0' ? report.machine.wine : "not under Wine");
}

void WriteJsonFigure(FILE *out, const Figure &figure, BOOL last) {
    const Summary &s = figure.summary;
    const char *kind = figure.kind == GOAL_GATE            ? "goal"
                       : figure.kind == GOAL_INFORMATIONAL ? "informational"
                                                           : "none";
    fprintf(out, "    {\"key\": \"%s\", \"label\": \"%s\", \"baseline\": \"%s\", ", figure.key,
            figure.label, figure.baseline);
    if (figure.form == FORM_SIZE) {
        fprintf(out, "\"bytes\": %.0f, \"goal_max_bytes\": %.0f, ", s.ours, figure.goal);
    } else {
        fprintf(out, "\"ours_ns\": %.2f, \"baseline_ns\": %.2f, \"ratio\": %.4f, ", s.ours,
                s.baseline, s.ratio);
        fprintf(out, "\"ratio_min\": %.4f, \"ratio_max\": %.4f, \"goal_max_ratio\": %.2f, ",
                s.ratio_min, s.ratio_max, figure.goal);
    }
    fprintf(out, "\"goal_kind\": \"%s\", \"pass\": %s}%s\n", kind,
            FigurePasses(figure) ? "true" : "false", last ? "" : ",");
}

void WriteJsonSetup(FILE *out, const Report &report) {
    const RepaintSetup &r = report.repaint;
    fprintf(out, "  \"repetitions\": %d,\n", report.repetitions);
    fprintf(out,
            "  \"repaint\": {\"rows\": %d, \"columns\": %d, \"visible_rows\": %d, "
            "\"repaints_per_sample\": %d, \"item_notifications_per_repaint\": "
            "{\"no_subclass\": %d, \"bare_pass_through\": %d, \"painter\": %d}},\n",
            r.rows, r.columns, r.visible_rows, r.repaints_per_sample, r.items_notified[0],
            r.items_notified[1], r.items_notified[2]);
    fprintf(out,
            "  \"first_row_background\": {\"no_subclass\": \"#%06lX\", "
            "\"bare_pass_through\": \"#%06lX\", \"painter\": \"#%06lX\"},\n",
            Rgb(r.first_row_background[0]), Rgb(r.first_row_background[1]),
            Rgb(r.first_row_background[2]));
    fprintf(out, "  \"machine\": {\"processors\": %d, \"cpu\": \"%s\", \"wine\": \"%s\"},\n",
            report.machine.processors, report.machine.cpu, report.machine.wine);
}

}  // namespace

void AddFigure(Report *report, const Figure &figure) {
    if (report->count < MAX_FIGURES) report->figures[report->count++] = figure;
}

BOOL FigurePasses(const Figure &figure) {
    if (figure.kind == GOAL_NONE) return TRUE;
    double value = figure.form == FORM_SIZE ? figure.summary.ours : figure.summary.ratio;
    return value <= figure.goal;
}

void PrintReport(const Report &report) {
    printf("\nmedian of %d repetitions; ratio = ours / baseline, (min..max) over the repetitions\n",
           report.repetitions);
    printf(kRule);
    printf("%-34s %11s %11s  %-22s %-10s %s\n", "figure", "ours", "baseline", "ratio", "goal",
           "result");
    printf(kRule);
    for (int i = 0; i < report.count; ++i) PrintFigure(report.figures[i]);
    printf(kRule);
    PrintSetup(report);
}

BOOL WriteReportJson(const Report &report, const char *path) {
    FILE *out = fopen(path, "w");
    if (out == NULL) return FALSE;
    fprintf(out, "{\n");
    WriteJsonSetup(out, report);
    fprintf(out, "  \"figures\": [\n");
    for (int i = 0; i < report.count; ++i) {
        WriteJsonFigure(out, report.figures[i], i == report.count - 1);
    }
    fprintf(out, "  ]\n}\n");
    return fclose(out) == 0;
}
