#include "text_buffer.h"

#include <windows.h>

void AppendText(char *text, int capacity, const char *more) {
    int used = lstrlenA(text);
    if (used < capacity) lstrcpynA(text + used, more, capacity - used);
}

void AppendListItem(char *text, int capacity, const char *separator, const char *item) {
    if (text[0] != '\0') AppendText(text, capacity, separator);
    AppendText(text, capacity, item);
}
