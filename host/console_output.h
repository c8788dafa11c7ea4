// Text for the person or script that started the host: problems go to stderr as they happen and
// are kept for the status bar; --help and results go to stdout. A console gets the text as
// UTF-16, so it shows every character whatever its code page; files and pipes get UTF-8.
#ifndef REFHOST_CONSOLE_OUTPUT_H
#define REFHOST_CONSOLE_OUTPUT_H

#include <string>

void WriteStdout(const std::string &text);  // narrow text is in the ANSI code page
void WriteStderr(const std::wstring &text);

// Formats one problem (printf conventions; in a wide format strings are %ls), writes it to
// stderr as a line and keeps it. Returns the problem, for the status bar of the moment.
std::wstring ReportProblem(const char *format, ...);
std::wstring ReportProblem(const wchar_t *format, ...);

// The problems reported so far, joined with "; " (empty when none), for the status bar.
const std::wstring &ProblemSummary(void);

#endif
