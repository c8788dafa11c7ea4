#include "text_format.h"

#include <stdio.h>

std::string FormatTextList(const char *format, va_list arguments) {
    va_list measuring;
    va_copy(measuring, arguments);
    int length = vsnprintf(NULL, 0, format, measuring);
    va_end(measuring);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    vsnprintf(&text[0], text.size() + 1, format, arguments);  // the terminator fills text[size]
    return text;
}

std::string FormatText(const char *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string text = FormatTextList(format, arguments);
    va_end(arguments);
    return text;
}

void AppendListItem(std::string *text, const char *separator, const std::string &item) {
    if (!text->empty()) *text += separator;
    *text += item;
}
