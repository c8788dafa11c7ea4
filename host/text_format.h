// Text of any length for the host's numbers, status line and list cells. Narrow text is in the
// ANSI code page, as the plug-ins give it; wide text can hold any name.
#ifndef REFHOST_TEXT_FORMAT_H
#define REFHOST_TEXT_FORMAT_H

#include <string>

// The contract spells its names narrow; the host handles them wide.
#define WIDE_LITERAL(text) L"" text

// printf conventions, into a string as long as the result; strings are %ls, which means the
// same to every C library.
std::wstring FormatText(const wchar_t *format, ...);

// Appends item to text, preceded by separator unless text is still empty. An empty item adds
// nothing, not even the separator.
void AppendListItem(std::wstring *text, const std::wstring &separator, const std::wstring &item);

std::wstring WidenAnsi(const std::string &text);
std::string Utf8Of(const std::wstring &text);

#endif
