#include "console_output.h"
#include "text_format.h"

#include <windows.h>

namespace {

std::wstring Summary;
const wchar_t kSummarySeparator[] = L"; ";
const wchar_t kProblemPrefix[] = L"refhost: ";

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

void WriteTo(DWORD which, const std::wstring &text) {
    HANDLE handle = StandardHandle(which);
    if (handle == INVALID_HANDLE_VALUE) return;
    DWORD written = 0, mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
        return;
    }
    std::string bytes = Utf8Of(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
}

std::wstring KeepProblem(const std::wstring &line) {
    WriteStderr(kProblemPrefix + line + L"\n");
    AppendListItem(&Summary, kSummarySeparator, line);
    return line;
}

}  // namespace

void WriteStdout(const std::string &text) { WriteTo(STD_OUTPUT_HANDLE, WidenAnsi(text)); }

void WriteStderr(const std::wstring &text) { WriteTo(STD_ERROR_HANDLE, text); }

std::wstring ReportProblem(const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string line = FormatTextList(format, arguments);
    va_end(arguments);
    return KeepProblem(WidenAnsi(line));
}

std::wstring ReportProblem(const wchar_t *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::wstring line = FormatTextList(format, arguments);
    va_end(arguments);
    return KeepProblem(line);
}

const std::wstring &ProblemSummary(void) { return Summary; }
