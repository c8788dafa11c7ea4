// The screenshot switch: the saved image is a PNG that any decoder reads, and it shows the
// alternate rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host_runner.h"
#include "png_check.h"
#include "test_support.h"

namespace {

// Each scanline of the image as 'G' when most of it is light grey, 'W' when most of it is
// white, '-' otherwise; runs of the same letter folded into one (a row of the list is a run).
std::string Bands(const Image &image) {
    std::string bands;
    for (UINT y = 0; y < image.height; ++y) {
        UINT grey = 0, white = 0;
        for (UINT x = 0; x < image.width; ++x) {
            COLORREF color = image.At(x, y);
            if (color == kLightGrey) ++grey;
            if (color == RGB(255, 255, 255)) ++white;
        }
        char band = grey > image.width / 2 ? 'G' : white > image.width / 2 ? 'W' : '-';
        if (bands.empty() || bands.back() != band) bands += band;
    }
    return bands;
}

class Screenshot : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(NULL))); }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(Screenshot, IsAPngShowingAlternateRowsAndTheHostStopsItsPlugins) {
    std::string folder = FreshHostFolder();
    RunningHost host;
    ASSERT_EQ(0u, host.RunToEnd(folder, "--screenshot shot.png"));
    EXPECT_NE(std::string::npos, host.Stdout().find("shot.png")) << host.Stdout();
    EXPECT_EQ("", PngChunkProblem(ReadFileBytes(folder + "\\shot.png")));
    Image image;
    ASSERT_TRUE(DecodePng(folder + "\\shot.png", &image));
    // A dozen rows at least, grey and white by turns with nothing between them.
    EXPECT_NE(std::string::npos, Bands(image).find("GWGWGWGWGWGW")) << Bands(image);
    EXPECT_EQ(kDefaultSettingsText, ReadText(SettingsFileIn(folder)));
}

TEST_F(Screenshot, UnwritablePathFailsWithAMessageAndStillStopsThePlugins) {
    std::string folder = FreshHostFolder();
    RunningHost host;
    EXPECT_EQ(1u, host.RunToEnd(folder, "--screenshot no-such-folder\\shot.png"));
    EXPECT_NE(std::string::npos, host.Stderr().find("no-such-folder\\shot.png")) << host.Stderr();
    EXPECT_EQ(kDefaultSettingsText, ReadText(SettingsFileIn(folder)));
}

}  // namespace
