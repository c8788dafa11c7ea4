// The host's main window: menu, the list pane and a status bar. It answers the host contract's
// messages and the private messages of refhost_protocol.h.
#ifndef REFHOST_MAIN_WINDOW_H
#define REFHOST_MAIN_WINDOW_H

#include <windows.h>

#include <string>

HWND CreateMainWindow(HINSTANCE instance);

void ShowStatus(const std::wstring &text);

// Once the plug-ins started: the loaded plug-ins and every problem reported so far.
void ShowStartupStatus(void);

// Saves the window as a PNG at path as soon as the queue gets to it, then closes the window.
// When the settings dialog is open by then, the picture shows it over the window.
// The process's exit code tells whether the image was saved.
void RequestScreenshot(HWND window, const std::wstring &path);

#endif
