#include "command_line.h"

#include "console_output.h"

namespace {

const char kHelpText[] =
    "Usage: refhost.exe [switches]\n"
    "\n"
    "Reference host: shows a list and runs the plug-ins (*.sgp, *.scp) found in the folder\n"
    "'plugin' beside the executable.\n"
    "\n"
    "  --screenshot PATH  once the plug-ins started, save the main window as a PNG image at\n"
    "                     PATH, then quit as if closed (plug-ins are stopped)\n"
    "  --settings         open the settings dialog at start\n"
    "  --help             show this text and quit\n"
    "\n"
    "Exit codes: 0 done, 1 the screenshot could not be saved, 2 bad command line.\n";

BOOL IsSwitch(const char *argument, const char *name) { return lstrcmpA(argument, name) == 0; }

}  // namespace

BOOL ParseCommandLine(int argc, char **argv, HostOptions *options) {
    ZeroMemory(options, sizeof *options);
    for (int i = 1; i < argc; ++i) {
        const char *argument = argv[i];
        if (IsSwitch(argument, "--help") || IsSwitch(argument, "-h") || IsSwitch(argument, "/?")) {
            options->show_help = TRUE;
        } else if (IsSwitch(argument, "--settings")) {
            options->open_settings = TRUE;
        } else if (IsSwitch(argument, "--screenshot")) {
            if (i + 1 >= argc) {
                ReportProblem("--screenshot needs a file name (see --help)");
                return FALSE;
            }
            options->screenshot_path = argv[++i];
        } else {
            ReportProblem("unknown switch '%s' (see --help)", argument);
            return FALSE;
        }
    }
    return TRUE;
}

void PrintHelp(void) { WriteStdout(kHelpText); }
