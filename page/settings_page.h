// The settings page's dialog procedure and its helpers.
#ifndef ALTROWTINT_SETTINGS_PAGE_H
#define ALTROWTINT_SETTINGS_PAGE_H

#include <windows.h>

INT_PTR CALLBACK SettingsPageProc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// 1 when the check boxes or working colours differ from the stored settings, else 0.
int IsPageChanged(HWND page);

// Runs the colour chooser on *colour; 1 and the new colour when confirmed, else 0.
int PickColor(HWND owner, COLORREF *color);

// Posts the reload notification to the main window of every running instance of the host.
void NotifyHostSettingsChanged(void);

#endif
