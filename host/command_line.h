// The host's command-line switches.
#ifndef REFHOST_COMMAND_LINE_H
#define REFHOST_COMMAND_LINE_H

#include <string>

struct HostOptions {
    bool show_help = false;
    bool open_settings = false;    // open the settings dialog once the plug-ins started
    bool rebuild_view = false;     // make the list's owner anew once the plug-ins started
    std::wstring screenshot_path;  // save the main window (and the dialog) as PNG, quit; empty: run
};

// Fills options from the process's command line, read wide so that a path may hold any
// character. Returns false after reporting an unknown switch or a missing value.
bool ReadCommandLine(HostOptions *options);

void PrintHelp(void);

// Exit codes of the process.
enum { EXIT_OK = 0, EXIT_FAILED = 1, EXIT_USAGE = 2 };

#endif
