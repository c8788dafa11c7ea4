#include "console_output.h"
#include "text_buffer.h"

#include <windows.h>
#include <stdarg.h>

namespace {

enum { LINE_CAPACITY = 1024 };  // wvsprintfA writes at most 1024 characters
enum { SUMMARY_CAPACITY = 2048 };

char Summary[SUMMARY_CAPACITY];
const char kSummarySeparator[] = "; ";

// A program of the windows subsystem started from a console has no standard handles unless the
// caller redirected them; it then writes to the console of its parent, when there is one.
HANDLE StandardHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    if (handle != NULL && handle != INVALID_HANDLE_VALUE) return handle;
    static HANDLE parent_console = INVALID_HANDLE_VALUE;
    static BOOL tried = FALSE;
    if (!tried) {
        tried = TRUE;
        if (AttachConsole(ATTACH_PARENT_PROCESS)) {
            parent_console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, NULL,
                                         OPEN_EXISTING, 0, NULL);
        }
    }
    return parent_console;
}

void WriteTo(DWORD which, const char *text) {
    HANDLE handle = StandardHandle(which);
    if (handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, text, static_cast<DWORD>(lstrlenA(text)), &written, NULL);
}

void AppendToSummary(const char *line) {
    AppendListItem(Summary, SUMMARY_CAPACITY, kSummarySeparator, line);
}

}  // namespace

void WriteStdout(const char *text) { WriteTo(STD_OUTPUT_HANDLE, text); }

void WriteStderr(const char *text) { WriteTo(STD_ERROR_HANDLE, text); }

void ReportProblem(const char *format, ...) {
    char line[LINE_CAPACITY];
    va_list arguments;
    va_start(arguments, format);
    wvsprintfA(line, format, arguments);
    va_end(arguments);
    WriteStderr("refhost: ");
    WriteStderr(line);
    WriteStderr("\n");
    AppendToSummary(line);
}

const char *ProblemSummary(void) { return Summary; }
