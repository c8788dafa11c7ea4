// Text for the person or script that started the host: problems go to stderr as they happen, in
// English, and are kept in the user's language for the status bar; --help and results go to
// stdout in the user's language. A console gets the text as UTF-16, so it shows every character
// whatever its code page; files and pipes get UTF-8.
#ifndef REFHOST_CONSOLE_OUTPUT_H
#define REFHOST_CONSOLE_OUTPUT_H

#include <windows.h>

#include <initializer_list>
#include <string>

void WriteStdout(const std::wstring &text);

// Reports one problem: the host's text `id` with its inserts (host_text.h), followed, unless
// error is ERROR_SUCCESS, by the system's words for it. Writes it to stderr as a line and keeps
// it. Returns it in the user's language, for the status bar of the moment.
std::wstring ReportProblem(UINT id, std::initializer_list<std::wstring> inserts = {},
                           DWORD error = ERROR_SUCCESS);

// The problems reported so far, joined (empty when none), for the status bar.
const std::wstring &ProblemSummary(void);

#endif
