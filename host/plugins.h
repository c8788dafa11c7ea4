// The plug-ins of the host: every *.sgp (general) and *.scp (configuration) module in the folder
// "plugin" beside the executable. Modules that are no plug-in are skipped and reported.
#ifndef REFHOST_PLUGINS_H
#define REFHOST_PLUGINS_H

#include <windows.h>
#include <prsht.h>

void LoadPlugins(void);
void UnloadPlugins(void);  // after the main window is gone

// GPEVENT_INIT to every general plug-in, in load order; GPEVENT_QUIT in reverse order.
void StartGeneralPlugins(HWND host_window);
void StopGeneralPlugins(HWND host_window);

// Hands one message the host took from its queue to every general plug-in's message hook.
void PassToMessageHooks(MSG *msg);

// Asks each configuration plug-in for its settings page. Fills pages (up to capacity) and
// paths, the pages' paths joined with ", "; returns the number of pages.
int CollectSettingsPages(HPROPSHEETPAGE *pages, int capacity, char *paths, int paths_capacity);

// "altrowtint.sgp, altrowtint.scp", or "none".
void DescribeLoadedPlugins(char *text, int capacity);

#endif
