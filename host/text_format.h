// Text of any length for the host's messages, status line and list cells.
#ifndef REFHOST_TEXT_FORMAT_H
#define REFHOST_TEXT_FORMAT_H

#include <stdarg.h>

#include <string>

// printf conventions, into a string as long as the result.
std::string FormatText(const char *format, ...);
std::string FormatTextList(const char *format, va_list arguments);

// Appends item to text, preceded by separator unless text is still empty.
void AppendListItem(std::string *text, const char *separator, const std::string &item);

#endif
