#include "png_writer.h"

namespace {

enum { BYTES_PER_PIXEL = 3, PNG_BIT_DEPTH = 8, PNG_COLOUR_TYPE_RGB = 2 };
enum { MAX_DIMENSION = 8192 };  // keeps every size below in 32 bits
enum { MIN_MATCH = 3, MAX_MATCH = 258, MAX_DISTANCE = 32768, END_OF_BLOCK = 256 };
enum { CHUNK_OVERHEAD = 12 };  // length, type and CRC around a chunk's data
enum { ZLIB_OVERHEAD = 6 };    // header and Adler-32
enum { IHDR_SIZE = 13 };

const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
const BYTE kZlibHeader[2] = {0x78, 0x01};  // deflate, 32 KB window, no dictionary

// RFC 1951, 3.2.5: base values and extra bits of the length and distance codes.
const WORD kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                            31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const BYTE kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                             2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const WORD kDistanceBase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                              33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                              1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const BYTE kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                               6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
enum { LENGTH_CODES = sizeof kLengthBase / sizeof kLengthBase[0] };
enum { DISTANCE_CODES = sizeof kDistanceBase / sizeof kDistanceBase[0] };
enum { FIRST_LENGTH_SYMBOL = 257 };

struct ByteBuffer {
    BYTE *data;
    DWORD used;
};

struct BitWriter {
    ByteBuffer *out;
    DWORD bits;
    int count;
};

void PutByte(ByteBuffer *buffer, BYTE value) { buffer->data[buffer->used++] = value; }

void PutBigEndian(ByteBuffer *buffer, DWORD value) {
    for (int shift = 24; shift >= 0; shift -= 8) PutByte(buffer, static_cast<BYTE>(value >> shift));
}

void PutBytes(ByteBuffer *buffer, const BYTE *bytes, DWORD count) {
    CopyMemory(buffer->data + buffer->used, bytes, count);
    buffer->used += count;
}

DWORD Crc32(const BYTE *data, DWORD size) {
    static DWORD table[256];
    if (table[1] == 0) {
        for (DWORD n = 0; n < 256; ++n) {
            DWORD c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    DWORD crc = 0xFFFFFFFFu;
    for (DWORD i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

DWORD Adler32(const BYTE *data, DWORD size) {
    const DWORD kModulus = 65521;
    DWORD a = 1, b = 0;
    for (DWORD i = 0; i < size; ++i) {
        a = (a + data[i]) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

// Deflate packs bits from the least significant end ...
void PutBits(BitWriter *writer, DWORD value, int count) {
    writer->bits |= value << writer->count;
    writer->count += count;
    while (writer->count >= 8) {
        PutByte(writer->out, static_cast<BYTE>(writer->bits));
        writer->bits >>= 8;
        writer->count -= 8;
    }
}

// ... but Huffman codes go most significant bit first.
void PutCode(BitWriter *writer, DWORD code, int length) {
    DWORD reversed = 0;
    for (int i = 0; i < length; ++i) reversed = (reversed << 1) | ((code >> i) & 1);
    PutBits(writer, reversed, length);
}

// The fixed literal/length code of RFC 1951, 3.2.6.
void PutSymbol(BitWriter *writer, int symbol) {
    if (symbol < 144)
        PutCode(writer, 0x30 + symbol, 8);
    else if (symbol < 256)
        PutCode(writer, 0x190 + symbol - 144, 9);
    else if (symbol < 280)
        PutCode(writer, symbol - 256, 7);
    else
        PutCode(writer, 0xC0 + symbol - 280, 8);
}

void PutMatch(BitWriter *writer, DWORD length, DWORD distance) {
    int code = LENGTH_CODES - 1;
    while (kLengthBase[code] > length) --code;
    PutSymbol(writer, FIRST_LENGTH_SYMBOL + code);
    PutBits(writer, length - kLengthBase[code], kLengthExtra[code]);
    code = DISTANCE_CODES - 1;
    while (kDistanceBase[code] > distance) --code;
    PutCode(writer, code, 5);  // fixed distance codes are plain 5-bit numbers
    PutBits(writer, distance - kDistanceBase[code], kDistanceExtra[code]);
}

DWORD MatchLength(const BYTE *data, DWORD position, DWORD size, DWORD distance) {
    if (distance > position || distance > MAX_DISTANCE) return 0;
    DWORD limit = MAX_MATCH;
    if (size - position < limit) limit = size - position;
    DWORD length = 0;
    while (length < limit && data[position + length] == data[position + length - distance]) {
        ++length;
    }
    return length;
}

// One final fixed-Huffman block. The matches looked for: the same pixel one to the left, and
// the same pixel one scanline up.
void Deflate(const BYTE *data, DWORD size, DWORD scanline, ByteBuffer *out) {
    BitWriter writer = {out, 0, 0};
    PutBits(&writer, 1, 1);  // final block
    PutBits(&writer, 1, 2);  // fixed Huffman codes
    const DWORD distances[] = {BYTES_PER_PIXEL, scanline};
    DWORD position = 0;
    while (position < size) {
        DWORD best_length = 0, best_distance = 0;
        for (DWORD distance : distances) {
            DWORD length = MatchLength(data, position, size, distance);
            if (length > best_length) {
                best_length = length;
                best_distance = distance;
            }
        }
        if (best_length >= MIN_MATCH) {
            PutMatch(&writer, best_length, best_distance);
            position += best_length;
        } else {
            PutSymbol(&writer, data[position++]);
        }
    }
    PutSymbol(&writer, END_OF_BLOCK);
    PutBits(&writer, 0, 7);  // flush the last partial byte
}

// Scanlines as PNG wants them: a filter byte (0, none) and the pixels as red, green, blue.
void BuildScanlines(int width, int height, const BYTE *rows, int stride, BYTE *raw) {
    for (int y = 0; y < height; ++y) {
        const BYTE *pixel = rows + static_cast<DWORD>(y) * stride;
        *raw++ = 0;
        for (int x = 0; x < width; ++x, pixel += BYTES_PER_PIXEL) {
            *raw++ = pixel[2];
            *raw++ = pixel[1];
            *raw++ = pixel[0];
        }
    }
}

// A chunk's CRC covers its type and data, which start 4 bytes after its beginning.
void FinishChunk(ByteBuffer *buffer, DWORD chunk_start) {
    DWORD data_size = buffer->used - chunk_start - 8;
    BYTE *length_field = buffer->data + chunk_start;
    for (int i = 0; i < 4; ++i) length_field[i] = static_cast<BYTE>(data_size >> (24 - 8 * i));
    PutBigEndian(buffer, Crc32(buffer->data + chunk_start + 4, data_size + 4));
}

DWORD StartChunk(ByteBuffer *buffer, const char *type) {
    DWORD start = buffer->used;
    PutBigEndian(buffer, 0);  // length, filled in by FinishChunk
    PutBytes(buffer, reinterpret_cast<const BYTE *>(type), 4);
    return start;
}

void EncodePng(int width, int height, const BYTE *raw, DWORD raw_size, ByteBuffer *png) {
    PutBytes(png, kSignature, sizeof kSignature);
    DWORD chunk = StartChunk(png, "IHDR");
    PutBigEndian(png, width);
    PutBigEndian(png, height);
    const BYTE format[] = {PNG_BIT_DEPTH, PNG_COLOUR_TYPE_RGB, 0, 0, 0};  // no interlace
    PutBytes(png, format, sizeof format);
    FinishChunk(png, chunk);
    chunk = StartChunk(png, "IDAT");
    PutBytes(png, kZlibHeader, sizeof kZlibHeader);
    Deflate(raw, raw_size, 1 + BYTES_PER_PIXEL * width, png);
    PutBigEndian(png, Adler32(raw, raw_size));
    FinishChunk(png, chunk);
    FinishChunk(png, StartChunk(png, "IEND"));
}

BOOL WriteWholeFile(const char *path, const BYTE *data, DWORD size) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    DWORD written = 0;
    BOOL ok = WriteFile(file, data, size, &written, NULL) && written == size;
    ok = CloseHandle(file) && ok;
    if (!ok) DeleteFileA(path);  // no half image left behind
    return ok;
}

}  // namespace

BOOL WritePng(const char *path, int width, int height, const BYTE *rows, int stride) {
    if (width <= 0 || height <= 0 || width > MAX_DIMENSION || height > MAX_DIMENSION) return FALSE;
    DWORD raw_size = static_cast<DWORD>(height) * (1 + BYTES_PER_PIXEL * width);
    // A literal costs at most 9 bits, so the compressed data never exceeds 9/8 of the input.
    DWORD png_capacity = raw_size + raw_size / 8 + sizeof kSignature + ZLIB_OVERHEAD +
                         3 * CHUNK_OVERHEAD + IHDR_SIZE + 16;
    HANDLE heap = GetProcessHeap();
    BYTE *raw = static_cast<BYTE *>(HeapAlloc(heap, 0, raw_size));
    BYTE *png_data = static_cast<BYTE *>(HeapAlloc(heap, 0, png_capacity));
    BOOL ok = FALSE;
    if (raw != NULL && png_data != NULL) {
        BuildScanlines(width, height, rows, stride, raw);
        ByteBuffer png = {png_data, 0};
        EncodePng(width, height, raw, raw_size, &png);
        ok = WriteWholeFile(path, png.data, png.used);
    }
    if (png_data != NULL) HeapFree(heap, 0, png_data);
    if (raw != NULL) HeapFree(heap, 0, raw);
    return ok;
}
