#include "console_output.h"
#include "text_format.h"

#include <windows.h>

namespace {

std::string Summary;
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

void WriteTo(DWORD which, const std::string &text) {
    HANDLE handle = StandardHandle(which);
    if (handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
}

}  // namespace

void WriteStdout(const std::string &text) { WriteTo(STD_OUTPUT_HANDLE, text); }

void WriteStderr(const std::string &text) { WriteTo(STD_ERROR_HANDLE, text); }

void ReportProblem(const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string line = FormatTextList(format, arguments);
    va_end(arguments);
    WriteStderr("refhost: " + line + "\n");
    AppendListItem(&Summary, kSummarySeparator, line);
}

const std::string &ProblemSummary(void) { return Summary; }
