// Bounded appends to fixed text buffers: what does not fit is cut, nothing is ever overrun.
#ifndef REFHOST_TEXT_BUFFER_H
#define REFHOST_TEXT_BUFFER_H

// Appends `more` to the string in `text`, a buffer of `capacity` characters.
void AppendText(char *text, int capacity, const char *more);

// Appends `item`, preceded by `separator` unless `text` is still empty.
void AppendListItem(char *text, int capacity, const char *separator, const char *item);

#endif
