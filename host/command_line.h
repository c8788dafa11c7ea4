// The host's command-line switches.
#ifndef REFHOST_COMMAND_LINE_H
#define REFHOST_COMMAND_LINE_H

#include <string>

struct HostOptions {
    bool show_help = false;
    bool open_settings = false;   // open the settings dialog once the plug-ins started
    std::string screenshot_path;  // save the main window (and the dialog) as PNG, quit; empty: run
};

// Fills options from the arguments (argv[0] is the program). Returns false after reporting an
// unknown switch or a missing value.
bool ParseCommandLine(int argc, char **argv, HostOptions *options);

void PrintHelp(void);

// Exit codes of the process.
enum { EXIT_OK = 0, EXIT_FAILED = 1, EXIT_USAGE = 2 };

#endif
