// The plug-ins of the host: every *.sgp (general) and *.scp (configuration) module in the folder
// "plugin" beside the executable. Modules that are no plug-in are skipped and reported.
#ifndef REFHOST_PLUGINS_H
#define REFHOST_PLUGINS_H

#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

void LoadPlugins(void);
void UnloadPlugins(void);  // after the main window is gone

// GPEVENT_INIT to every general plug-in, in load order; GPEVENT_QUIT in reverse order.
void StartGeneralPlugins(HWND host_window);
void StopGeneralPlugins(HWND host_window);

// Hands one message the host took from its queue to every general plug-in's message hook.
void PassToMessageHooks(MSG *msg);

// Asks each configuration plug-in for its settings page; returns the pages and sets paths to
// their paths joined with ", ".
std::vector<HPROPSHEETPAGE> CollectSettingsPages(std::string *paths);

// "altrowtint.sgp, altrowtint.scp", or "none".
std::string DescribeLoadedPlugins(void);

#endif
