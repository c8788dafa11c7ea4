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
    "  --settings         open the settings dialog at start; with --screenshot, the image\n"
    "                     shows the dialog over the main window\n"
    "  --help             show this text and quit\n"
    "\n"
    "Exit codes: 0 done, 1 the screenshot could not be saved, 2 bad command line.\n";

}  // namespace

bool ParseCommandLine(int argc, char **argv, HostOptions *options) {
    *options = HostOptions();
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h" || argument == "/?") {
            options->show_help = true;
        } else if (argument == "--settings") {
            options->open_settings = true;
        } else if (argument == "--screenshot") {
            // An empty name would mean "no screenshot" and leave the host running.
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                ReportProblem("--screenshot needs a file name (see --help)");
                return false;
            }
            options->screenshot_path = argv[++i];
        } else {
            ReportProblem("unknown switch '%s' (see --help)", argument.c_str());
            return false;
        }
    }
    return true;
}

void PrintHelp(void) { WriteStdout(kHelpText); }
