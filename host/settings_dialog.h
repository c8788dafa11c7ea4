// The settings dialog: a modeless property sheet whose pages come from the configuration
// plug-ins. Modeless, so that its messages pass through the host's own loop like all others.
#ifndef REFHOST_SETTINGS_DIALOG_H
#define REFHOST_SETTINGS_DIALOG_H

#include <windows.h>

// Opens the dialog, or brings the open one to the front.
void OpenSettingsDialog(HWND owner);

// Gives the dialog its keyboard handling; TRUE when the dialog took the message.
BOOL RouteSettingsDialogMessage(MSG *msg);

// Closes the dialog without applying anything.
void CloseSettingsDialog(void);

// The open dialog's frame, or NULL.
HWND SettingsDialogWindow(void);

#endif
