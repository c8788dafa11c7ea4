// The host's command-line switches.
#ifndef REFHOST_COMMAND_LINE_H
#define REFHOST_COMMAND_LINE_H

#include <windows.h>

struct HostOptions {
    BOOL show_help;
    BOOL open_settings;           // open the settings dialog once the plug-ins started
    const char *screenshot_path;  // save the main window as PNG there and quit; NULL: run
};

// Fills options from the arguments (argv[0] is the program). Returns FALSE after reporting an
// unknown switch or a missing value.
BOOL ParseCommandLine(int argc, char **argv, HostOptions *options);

void PrintHelp(void);

// Exit codes of the process.
enum { EXIT_OK = 0, EXIT_FAILED = 1, EXIT_USAGE = 2 };

#endif
