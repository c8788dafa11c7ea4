// Reading PNG files: the system's imaging component decodes, the system's CRC-32 checks the
// chunks.
#ifndef ALTROWTINT_E2E_PNG_CHECK_H
#define ALTROWTINT_E2E_PNG_CHECK_H

#include <windows.h>

#include <string>
#include <vector>

struct Image {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> bgr;  // top-down rows, 3 bytes a pixel, no padding
    COLORREF At(UINT x, UINT y) const {
        const BYTE *p = &bgr[(static_cast<size_t>(y) * width + x) * 3];
        return RGB(p[2], p[1], p[0]);
    }
};

// Needs COM initialised on the calling thread. False when the file is no PNG it can read.
bool DecodePng(const std::string &path, Image *image);

// "" when the bytes are a PNG signature followed by chunks whose lengths fit and whose CRCs
// are right, ending with IEND; otherwise what is wrong.
std::string PngChunkProblem(const std::string &bytes);

#endif
