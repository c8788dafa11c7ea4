#include "command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "console_output.h"
#include "host_resource.h"
#include "host_text.h"

namespace {

// argv[0] is the program.
bool ParseArguments(int argc, wchar_t **argv, HostOptions *options) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            options->show_help = true;
        } else if (argument == L"--settings") {
            options->open_settings = true;
        } else if (argument == L"--rebuild") {
            options->rebuild_view = true;
        } else if (argument == L"--screenshot") {
            // An empty name would mean "no screenshot" and leave the host running.
            if (i + 1 >= argc || argv[i + 1][0] == L'\0') {
                ReportProblem(IDS_SCREENSHOT_NEEDS_PATH);
                return false;
            }
            options->screenshot_path = argv[++i];
        } else {
            ReportProblem(IDS_UNKNOWN_SWITCH, {argument});
            return false;
        }
    }
    return true;
}

}  // namespace

bool ReadCommandLine(HostOptions *options) {
    *options = HostOptions();
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool parsed = argv != NULL && ParseArguments(argc, argv, options);
    LocalFree(argv);
    return parsed;
}

void PrintHelp(void) { WriteStdout(HostText(IDS_HELP, READER_USER)); }
