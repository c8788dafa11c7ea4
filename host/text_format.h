// Text of any length for the host's messages, status line and list cells. Narrow text is in the
// ANSI code page, as the command line and the plug-ins give it; wide text can hold any name.
#ifndef REFHOST_TEXT_FORMAT_H
#define REFHOST_TEXT_FORMAT_H

#include <stdarg.h>

#include <string>

// printf conventions, into a string as long as the result. Wide formats take strings as %ls,
// which means the same to every C library.
std::string FormatTextList(const char *format, va_list arguments);
std::wstring FormatTextList(const wchar_t *format, va_list arguments);

template <typename Char>
std::basic_string<Char> FormatText(const Char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::basic_string<Char> text = FormatTextList(format, arguments);
    va_end(arguments);
    return text;
}

// Appends item to text, preceded by separator unless text is still empty.
void AppendListItem(std::wstring *text, const wchar_t *separator, const std::wstring &item);

std::wstring WidenAnsi(const std::string &text);
std::string Utf8Of(const std::wstring &text);

#endif
