#include "console_output.h"

#include "host_resource.h"
#include "host_text.h"
#include "text_format.h"

namespace {

std::wstring Summary;
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

// The host's sentence, and the system's words for the error after it. The first insert, where
// there is one, is what the problem is about: it stands for the %1 of the system's words.
std::wstring ProblemText(UINT id, Reader reader, std::initializer_list<std::wstring> inserts,
                         DWORD error) {
    std::wstring text = HostText(id, reader, inserts);
    if (error == ERROR_SUCCESS) return text;
    std::wstring subject = inserts.size() != 0 ? *inserts.begin() : std::wstring();
    return HostText(IDS_WITH_SYSTEM_REASON, reader, {text, SystemReason(error, reader, subject)});
}

}  // namespace

void WriteStdout(const std::wstring &text) { WriteTo(STD_OUTPUT_HANDLE, text); }

std::wstring ReportProblem(UINT id, std::initializer_list<std::wstring> inserts, DWORD error) {
    WriteTo(STD_ERROR_HANDLE,
            kProblemPrefix + ProblemText(id, READER_SCRIPT, inserts, error) + L"\n");
    std::wstring shown = ProblemText(id, READER_USER, inserts, error);
    AppendListItem(&Summary, HostText(IDS_PROBLEM_SEPARATOR, READER_USER), shown);
    return shown;
}

const std::wstring &ProblemSummary(void) { return Summary; }
