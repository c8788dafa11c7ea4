// The host's PNG encoder against the system's decoder: every pixel must come back as written,
// whatever the image holds and however wide it is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "png_check.h"
#include "png_writer.h"
#include "test_support.h"

namespace {

// A 24-bit DIB-like image: rows padded to four bytes, as the screenshot hands them over.
struct Source {
    int width;
    int height;
    int stride;
    std::vector<BYTE> bgr;
};

typedef COLORREF (*PixelRule)(int x, int y);

Source MakeImage(int width, int height, PixelRule rule) {
    Source image = {width, height, (width * 3 + 3) & ~3, {}};
    image.bgr.assign(static_cast<size_t>(image.stride) * height, 0xAB);  // padding: not pixels
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            BYTE *p = &image.bgr[static_cast<size_t>(y) * image.stride + x * 3];
            COLORREF colour = rule(x, y);
            p[0] = GetBValue(colour);
            p[1] = GetGValue(colour);
            p[2] = GetRValue(colour);
        }
    }
    return image;
}

COLORREF Flat(int, int) { return RGB(240, 240, 240); }
COLORREF Noise(int x, int y) {
    DWORD h = static_cast<DWORD>(x) * 2654435761u ^ static_cast<DWORD>(y) * 40503u;
    h ^= h >> 13;
    return RGB(h & 0xFF, (h >> 8) & 0xFF, (h >> 16) & 0xFF);
}
COLORREF RowStripes(int, int y) { return (y / 3) % 2 ? RGB(255, 255, 255) : RGB(240, 240, 240); }
COLORREF VerticalLines(int x, int) { return x % 7 == 0 ? RGB(0, 0, 0) : RGB(10, 20, 30); }
COLORREF Diagonal(int x, int y) { return (x + y) % 5 == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255); }

struct ImageCase {
    const char *name;
    int width;
    int height;
    PixelRule rule;
};
void PrintTo(const ImageCase &c, std::ostream *out) { *out << c.name; }

class PngWriterRoundTrip : public testing::TestWithParam<ImageCase> {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL))); }
    void TearDown() override { CoUninitialize(); }
};

TEST_P(PngWriterRoundTrip, DecodesToTheSamePixels) {
    const ImageCase &c = GetParam();
    Source source = MakeImage(c.width, c.height, c.rule);
    std::string path = ExeDir() + "\\round_trip.png";
    DeleteFileA(path.c_str());
    ASSERT_TRUE(WritePng(path.c_str(), c.width, c.height, source.bgr.data(), source.stride));
    EXPECT_EQ("", PngChunkProblem(ReadFileBytes(path)));
    Image decoded;
    ASSERT_TRUE(DecodePng(path, &decoded));
    ASSERT_EQ(static_cast<UINT>(c.width), decoded.width);
    ASSERT_EQ(static_cast<UINT>(c.height), decoded.height);
    int wrong = 0;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            if (decoded.At(x, y) != c.rule(x, y) && ++wrong <= 3) {
                ADD_FAILURE() << "pixel " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(0, wrong);
}

const ImageCase kImages[] = {
    {"OnePixel", 1, 1, Noise},
    {"Flat", 640, 400, Flat},
    {"Noise", 97, 61, Noise},  // rows not a multiple of four bytes: padding must not leak in
    {"RowStripes", 300, 90, RowStripes},
    {"VerticalLines", 123, 40, VerticalLines},
    {"Diagonal", 64, 64, Diagonal},
    {"WidestRowsFarApart", 8192, 4, VerticalLines},  // the row above at the longest distance
};
INSTANTIATE_TEST_SUITE_P(, PngWriterRoundTrip, testing::ValuesIn(kImages), CaseName());

TEST(PngWriter, FlatScreensStaySmall) {
    Source source = MakeImage(640, 400, RowStripes);
    std::string path = ExeDir() + "\\small.png";
    ASSERT_TRUE(WritePng(path.c_str(), 640, 400, source.bgr.data(), source.stride));
    EXPECT_LT(ReadFileBytes(path).size(), 640u * 400u * 3u / 50u);
}

TEST(PngWriter, RefusesWhatItCannotWriteAndLeavesNoFile) {
    Source source = MakeImage(4, 4, Flat);
    std::string missing_folder = ExeDir() + "\\no-such-folder\\image.png";
    EXPECT_FALSE(WritePng(missing_folder.c_str(), 4, 4, source.bgr.data(), source.stride));
    std::string path = ExeDir() + "\\refused.png";
    DeleteFileA(path.c_str());
    EXPECT_FALSE(WritePng(path.c_str(), 0, 4, source.bgr.data(), source.stride));
    EXPECT_FALSE(WritePng(path.c_str(), 4, -1, source.bgr.data(), source.stride));
    EXPECT_FALSE(WritePng(path.c_str(), 100000, 1, source.bgr.data(), source.stride));
    EXPECT_FALSE(FileExists(path));
}

}  // namespace
