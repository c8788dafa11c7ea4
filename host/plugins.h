// The plug-ins of the host: every *.sgp (general) and *.scp (configuration) module in the folder
// "plugin" beside the executable, whatever that folder is named and however deep it lies. Modules
// that are no plug-in are skipped and reported.
#ifndef REFHOST_PLUGINS_H
#define REFHOST_PLUGINS_H

#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

// Loads the plug-ins and keeps them, pinned, for the host's lifetime.
void LoadPlugins(void);

// GPEVENT_INIT to every general plug-in, in load order; GPEVENT_QUIT in reverse order.
void StartGeneralPlugins(HWND host_window);
void StopGeneralPlugins(HWND host_window);

// Hands one message the host took from its queue to every general plug-in's message hook.
void PassToMessageHooks(MSG *msg);

// Asks each configuration plug-in for its settings page; returns the pages, sets paths to their
// paths and problems to what it reported on the way (why there is no page when there is none),
// each joined as the user's language joins a list.
std::vector<HPROPSHEETPAGE> CollectSettingsPages(std::wstring *paths, std::wstring *problems);

// "altrowtint.sgp, altrowtint.scp", or "none", in the user's language.
std::wstring DescribeLoadedPlugins(void);

#endif
