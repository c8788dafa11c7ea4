// The whole road through the reference host: first start, a change made on the settings page,
// and the colours after a restart or a hand-edited settings file.
#include <gtest/gtest.h>

#include "host_contract.h"
#include "host_runner.h"
#include "test_support.h"

namespace {

const COLORREF kPaleBlue = RGB(200, 230, 255);
const char kPaleBlueText[] = "0xFFE6C8";  // as the file stores it: 0x00BBGGRR
const int kRowsChecked = 8;

// The settings after ticking the even-row background and picking pale blue for it.
const std::string kPaleBlueSettingsText = [] {
    std::string text = kDefaultSettingsText;
    text.replace(text.find("TextBkColor2Enable=0\nTextBkColor2=0xE0E0E0"), 42,
                 "TextBkColor2Enable=1\nTextBkColor2=0xFFE6C8");
    return text;
}();

// Expects rows 0, 2, 4 ... in `even` and 1, 3, 5 ... in `odd`, as the list shows them now:
// nothing repaints them for the check.
void ExpectRows(const RunningHost &host, COLORREF even, COLORREF odd) {
    for (int row = 0; row < kRowsChecked; ++row) {
        COLORREF expected = row % 2 == 0 ? even : odd;
        EXPECT_EQ(expected, host.Row(row, ROWSAMPLE_AS_SHOWN)) << "row " << row;
    }
}

// Ticks the even-row background on the open dialog's page and picks pale blue for it.
void ChangeEvenRowBackground(const RunningHost &host, HWND sheet) {
    HWND page = CurrentPage(sheet);
    ASSERT_NE(nullptr, GetDlgItem(page, IDC_BK2_ENABLE)) << "the plug-in's page is not shown";
    ClickButton(page, IDC_BK2_ENABLE);
    ASSERT_EQ(BST_CHECKED, SendMessageA(GetDlgItem(page, IDC_BK2_ENABLE), BM_GETCHECK, 0, 0));
    ASSERT_TRUE(PickColorOnPage(host, page, IDC_BK2_PICK, kPaleBlue));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, ID_SHEET_APPLY))) << "Apply stays off";
}

// A view the host rebuilds (a new list owner, no new start) is striped at once as well.
TEST(FirstStart, PaintsEvenIndexRowsGreyAlsoInARebuiltViewAndSavesTheDefaultsAtQuit) {
    std::string folder = FreshHostFolder();
    RunningHost host;
    ASSERT_TRUE(host.Start(folder));
    EXPECT_EQ(300, host.RowCount());
    COLORREF list_background = host.ListBackground();
    ASSERT_NE(kLightGrey, list_background) << "the check could not tell the rows apart";
    ExpectRows(host, kLightGrey, list_background);
    PostMessageA(host.window(), WM_COMMAND, IDM_VIEW_REBUILD, 0);
    ASSERT_TRUE(host.WaitForPostedMessages());
    ExpectRows(host, kLightGrey, list_background);
    EXPECT_FALSE(FileExists(SettingsFileIn(folder))) << "nothing is written before the stop";
    EXPECT_EQ(0u, host.Quit());
    EXPECT_EQ(kDefaultSettingsText, ReadText(SettingsFileIn(folder)));
}

// How the settings dialog is left after the change: (button, whether the change is applied,
// whether the dialog stays open).
struct DialogEnding : NamedCase<DialogEnding> {
    int button;
    bool applies;
    bool stays_open;
};

class SettingsDialogEnding : public testing::TestWithParam<DialogEnding> {};

TEST_P(SettingsDialogEnding, AppliesOnlyThroughApplyOrOkAndRepaintsAtOnce) {
    const DialogEnding &ending = GetParam();
    std::string folder = FreshHostFolder();
    RunningHost host;
    ASSERT_TRUE(host.Start(folder));
    COLORREF list_background = host.ListBackground();
    HWND sheet = host.OpenSettingsDialog();
    ASSERT_NE(nullptr, sheet);
    // Nothing to report after the page's path: no separator either.
    EXPECT_EQ(std::string("Settings pages: ") + SETTINGS_PAGE_PATH, host.StatusText());
    ChangeEvenRowBackground(host, sheet);

    ClickButton(sheet, ending.button);
    // A wrong apply would post its notification during the click: the host handles it first.
    ASSERT_TRUE(host.WaitForPostedMessages());
    // The list shows the outcome without a forced repaint: the page's notification went through
    // the host's hook to the painter, and the host repainted.
    COLORREF odd = ending.applies ? kPaleBlue : list_background;
    EXPECT_EQ(odd, host.WaitForRowAsShown(1, odd));
    EXPECT_EQ(kLightGrey, host.Row(0, ROWSAMPLE_AS_SHOWN));
    if (ending.applies) {
        EXPECT_EQ(kPaleBlueSettingsText, ReadText(SettingsFileIn(folder)));
    } else {
        EXPECT_FALSE(FileExists(SettingsFileIn(folder)));
    }
    EXPECT_EQ(ending.stays_open, host.SettingsDialog() != NULL);
    ExpectRows(host, kLightGrey, odd);

    EXPECT_EQ(0u, host.Quit());
    EXPECT_EQ(ending.applies ? kPaleBlueSettingsText : kDefaultSettingsText,
              ReadText(SettingsFileIn(folder)));
}

const DialogEnding kDialogEndings[] = {
    {"Apply", ID_SHEET_APPLY, true, true},
    {"Ok", IDOK, true, false},
    {"Cancel", IDCANCEL, false, false},
};
INSTANTIATE_TEST_SUITE_P(, SettingsDialogEnding, testing::ValuesIn(kDialogEndings), CaseName());

TEST(Persistence, AppliedColorsShowAgainAfterARestart) {
    std::string folder = FreshHostFolder();
    {
        RunningHost first;
        ASSERT_TRUE(first.Start(folder));
        HWND sheet = first.OpenSettingsDialog();
        ASSERT_NE(nullptr, sheet);
        ChangeEvenRowBackground(first, sheet);
        ClickButton(sheet, IDOK);
        EXPECT_EQ(0u, first.Quit());
    }
    RunningHost second;
    ASSERT_TRUE(second.Start(folder));
    ExpectRows(second, kLightGrey, kPaleBlue);
    EXPECT_EQ(0u, second.Quit());
    EXPECT_EQ(kPaleBlueSettingsText, ReadText(SettingsFileIn(folder)));
}

// A settings file written by hand, and the rows it gives. kListBackground stands for the list's
// own background.
const COLORREF kListBackground = CLR_DEFAULT;
struct HandEditedFile : NamedCase<HandEditedFile> {
    const char *text;
    COLORREF even;
    COLORREF odd;
};

class HandEditedSettings : public testing::TestWithParam<HandEditedFile> {};

TEST_P(HandEditedSettings, ShowFromTheFirstPaint) {
    const HandEditedFile &file = GetParam();
    std::string folder = FreshHostFolder();
    WriteText(SettingsFileIn(folder), file.text);
    RunningHost host;
    ASSERT_TRUE(host.Start(folder));
    COLORREF list_background = host.ListBackground();
    ExpectRows(host, file.even == kListBackground ? list_background : file.even,
               file.odd == kListBackground ? list_background : file.odd);
    EXPECT_EQ(0u, host.Quit());
}

const HandEditedFile kHandEditedFiles[] = {
    {"Decimal",
     "[setting]\nTextBkColor1Enable=1\nTextBkColor1=13434879\n"  // 0xCCFFFF: pale yellow
     "TextBkColor2Enable=1\nTextBkColor2=16764108\n",            // 0xFFCCCC: pale blue
     RGB(255, 255, 204), RGB(204, 204, 255)},
    {"Hexadecimal",
     "[setting]\nTextBkColor1Enable=1\nTextBkColor1=0xCCFFCC\n"
     "TextBkColor2Enable=1\nTextBkColor2=0x0000FF\n",
     RGB(204, 255, 204), RGB(255, 0, 0)},
    {"OnlySecondSetWithFlagTwo",  // missing keys keep their defaults; any nonzero flag is on
     "[setting]\nTextBkColor2Enable=2\nTextBkColor2=0x336699\n", kLightGrey, RGB(0x99, 0x66, 0x33)},
    {"AllOff", "[setting]\nTextBkColor1Enable=0\n", kListBackground, kListBackground},
};
INSTANTIATE_TEST_SUITE_P(, HandEditedSettings, testing::ValuesIn(kHandEditedFiles), CaseName());

}  // namespace
