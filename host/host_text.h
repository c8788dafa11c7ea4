// The host's words, taken from its string and menu resources in the language of whoever reads
// them: the user (the window, --help, stdout) in the user's language, scripts (stderr) in
// English.
#ifndef REFHOST_HOST_TEXT_H
#define REFHOST_HOST_TEXT_H

#include <windows.h>

#include <initializer_list>
#include <string>

enum Reader { READER_USER, READER_SCRIPT };

// The string `id` with %1, %2 ... replaced by the inserts, in order (FormatMessage conventions);
// a string given no inserts is taken as it stands. "" when the resources lack it.
std::wstring HostText(UINT id, Reader reader, std::initializer_list<std::wstring> inserts = {});

// The menu `id` in the user's language; the caller owns it. NULL when the resources lack it.
HMENU LoadHostMenu(UINT id);

// The system's own words for an error code or HRESULT, without the closing full stop: in the
// language Windows speaks to the user, or in English for a script. subject stands for the %1
// some of them hold (a file's name). For a code the system has no words for, "error <code>".
std::wstring SystemReason(DWORD error, Reader reader, const std::wstring &subject);

#endif
