// Text for the person or script that started the host: problems go to stderr as they happen and
// are kept for the status bar; --help and results go to stdout.
#ifndef REFHOST_CONSOLE_OUTPUT_H
#define REFHOST_CONSOLE_OUTPUT_H

#include <string>

void WriteStdout(const std::string &text);
void WriteStderr(const std::string &text);

// Formats one problem (printf conventions), writes it to stderr as a line and keeps it.
void ReportProblem(const char *format, ...);

// The problems reported so far, joined with "; " (empty when none), for the status bar.
const std::string &ProblemSummary(void);

#endif
