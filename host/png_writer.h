// A small PNG encoder for screenshots: 24-bit RGB, one IDAT chunk compressed with fixed-Huffman
// deflate whose only matches repeat the pixel to the left or the one above. Screens are mostly
// flat colour, so that is enough to keep an image small.
#ifndef REFHOST_PNG_WRITER_H
#define REFHOST_PNG_WRITER_H

#include <windows.h>

// rows: top-down rows of width pixels as blue, green, red bytes (a 24-bit DIB section's layout),
// each stride bytes after the one before. Returns FALSE when the file could not be written.
BOOL WritePng(const char *path, int width, int height, const BYTE *rows, int stride);

#endif
