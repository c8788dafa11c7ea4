#include "text_format.h"

#include <windows.h>
#include <stdarg.h>
#include <stdio.h>
#include <wchar.h>

namespace {

enum { FIRST_WIDE_ROOM = 256, LAST_WIDE_ROOM = 1 << 20 };  // in characters

// vswprintf cannot measure its result: it fails when the room is too small, so try with more,
// up to a bound for a format that fails whatever the room.
std::wstring FormatTextList(const wchar_t *format, va_list arguments) {
    for (size_t room = FIRST_WIDE_ROOM; room <= LAST_WIDE_ROOM; room *= 2) {
        std::wstring text(room, L'\0');
        va_list attempt;
        va_copy(attempt, arguments);
        int length = vswprintf(&text[0], room, format, attempt);
        va_end(attempt);
        if (length >= 0 && static_cast<size_t>(length) < room) {
            text.resize(static_cast<size_t>(length));
            return text;
        }
    }
    return std::wstring();
}

}  // namespace

std::wstring FormatText(const wchar_t *format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::wstring text = FormatTextList(format, arguments);
    va_end(arguments);
    return text;
}

void AppendListItem(std::wstring *text, const std::wstring &separator, const std::wstring &item) {
    if (item.empty()) return;
    if (!text->empty()) *text += separator;
    *text += item;
}

std::wstring WidenAnsi(const std::string &text) {
    int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), NULL, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string Utf8Of(const std::wstring &text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), NULL, 0,
                                   NULL, NULL);
    if (size <= 0) return std::string();
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        NULL, NULL);
    return bytes;
}
