// RowPaintProc put by the painter's own install code into a recording window, sent real
// messages: what it answers, what it changes, what it passes on; and a real list-view whose
// painted rows show the two sets.
#include <gtest/gtest.h>

#include <string.h>

#include "painter_core.h"
#include "test_support.h"

namespace {

const RowColorSettings kAllOff = {0, 0, 0, 0, 0, 0, 0, 0};
const COLORREF kListText = 0x111111, kListBk = 0x222222;  // what the list filled in
const WPARAM kListId = 7;                                 // the list's control id

// A custom-draw notification as it reaches the owner's own procedure.
LoggedMessage PassedOn(DWORD stage) {
    return {"owner", WM_NOTIFY, LOG_WPARAM | LOG_CODE | LOG_STAGE,
            kListId, 0,         static_cast<UINT>(NM_CUSTOMDRAW),
            stage};
}

struct RowPaint : ::testing::Test {
    HWND target = NULL;
    HWND list = NULL;
    void SetUp() override {
        list = CreateReportList(3);
        target = CreateRecorderWindow(NULL, "owner");
        ASSERT_TRUE(InstallRowPaintProc(target));
        SetPainterSettings(kDefaultSettings);
        FlushLog();
    }
    void TearDown() override {
        EXPECT_TRUE(RemoveRowPaintProc());
        DestroyWindow(GetParent(list));
        DestroyWindow(target);
    }
    NMLVCUSTOMDRAW Record(DWORD stage, DWORD_PTR row, HWND from = NULL) {
        return CustomDrawRecord(from != NULL ? from : list, stage, row, {kListText, kListBk},
                                kListId);
    }
    LRESULT Notify(void *record) {
        return SendMessageA(target, WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(record));
    }
};

}  // namespace

// The owner hears the pre-paint first: what it asks for stays, with every row's notification
// added, unless it paints the list itself.
TEST_F(RowPaint, PrePaintReachesTheOwnerAndAddsTheRowsToWhatItAsks) {
    const struct {
        LRESULT owner, answer;
    } cases[] = {
        {CDRF_DODEFAULT, CDRF_NOTIFYITEMDRAW},
        {CDRF_NOTIFYPOSTPAINT, CDRF_NOTIFYPOSTPAINT | CDRF_NOTIFYITEMDRAW},
        {CDRF_SKIPDEFAULT, CDRF_SKIPDEFAULT},
        {CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTPAINT, CDRF_SKIPDEFAULT | CDRF_NOTIFYPOSTPAINT},
    };
    for (const RowColorSettings &settings : {kDefaultSettings, kAllOff}) {
        SetPainterSettings(settings);
        for (const auto &c : cases) {
            RecorderPrePaintAnswer = c.owner;
            NMLVCUSTOMDRAW draw = Record(CDDS_PREPAINT, 0);
            EXPECT_EQ(c.answer, Notify(&draw)) << c.owner;
            ExpectSequence({PassedOn(CDDS_PREPAINT)}, "the owner hears the pre-paint");
        }
    }
    RecorderPrePaintAnswer = CDRF_DODEFAULT;
}

TEST_F(RowPaint, DefaultsTintTheBackgroundOfTheFirstSetOnly) {
    for (DWORD_PTR row : {0, 1, 2, 3, 100, 101}) {
        NMLVCUSTOMDRAW draw = Record(CDDS_ITEMPREPAINT, row);
        EXPECT_EQ(kRecorderResult, Notify(&draw));
        EXPECT_EQ(kListText, draw.clrText) << row;
        EXPECT_EQ(row % 2 == 0 ? 0xF0F0F0u : kListBk, draw.clrTextBk) << row;
        // The previous procedure got the very record, already changed, with the same arguments.
        LoggedMessage very_record = PassedOn(CDDS_ITEMPREPAINT);
        very_record.compare |= LOG_LPARAM;
        very_record.lparam = reinterpret_cast<LPARAM>(&draw);
        ExpectSequence({very_record}, "an item pre-paint");
    }
}

// On a dark list (light text on a near-black ground) a colour that would pair with one of the
// list's own below a contrast of 1.5 gives way; on a light list every choice stands.
TEST_F(RowPaint, EachColorFollowsItsOwnFlagAndAnyNonzeroFlagCounts) {
    const RowColorSettings kWhiteText = {1, 0xFFFFFF, 0, 0, 0, 0, 0, 0};
    struct Case {
        RowColorSettings settings;
        DWORD_PTR row;
        COLORREF text, bk;
        bool dark = false;
    } cases[] = {
        {kDefaultSettings, 0, kListText, 0x303030, true},  // the list's ground 8 % toward its text
        {kDefaultSettings, 1, kListText, kListBk, true},
        {{1, 0x000000, 0, 0, 1, 0xF0F0F0, 0, 0}, 0, 0x000000, 0xF0F0F0, true},  // a chosen pair
        {{1, 0x000000, 1, 0x00FFFF, 0, 0, 0, 0}, 0, kListText, kListBk, true},  // black on dark
        {{1, 0x000000, 1, 0x00FFFF, 0, 0, 0, 0}, 1, 0x00FFFF, kListBk, true},
        {kWhiteText, 0, 0xFFFFFF, kListBk},  // white on a white list: the user's choice
        {kDefaultSettings, 0, kListText, 0xF0F0F0},
        {{2, 0x01, 0, 0x02, 0, 0x03, 0, 0x04}, 0, 0x01, kListBk},
        {{2, 0x01, 0, 0x02, 0, 0x03, 0, 0x04}, 1, kListText, kListBk},
        {{0, 0x01, -1, 0x02, 0, 0x03, 5, 0x04}, 1, 0x02, 0x04},
        {{0, 0x01, -1, 0x02, 0, 0x03, 5, 0x04}, 2, kListText, kListBk},
        {{1, 0x01, 1, 0x02, 1, 0x03, 1, 0x04}, 4, 0x01, 0x03},
        {{1, 0x01, 1, 0x02, 1, 0x03, 1, 0x04}, 5, 0x02, 0x04},
        {kAllOff, 0, kListText, kListBk},
        {kAllOff, 1, kListText, kListBk},
    };
    for (const Case &c : cases) {
        ListView_SetTextColor(list, c.dark ? 0xF0F0F0 : 0x000000);
        ListView_SetTextBkColor(list, c.dark ? CLR_NONE : 0xFFFFFF);  // dark: the list's ground
        ListView_SetBkColor(list, c.dark ? 0x202020 : 0xFFFFFF);
        SetPainterSettings(c.settings);
        NMLVCUSTOMDRAW pre = Record(CDDS_PREPAINT, 0), draw = Record(CDDS_ITEMPREPAINT, c.row);
        Notify(&pre);
        Notify(&draw);
        EXPECT_EQ(c.text, draw.clrText) << "row " << c.row << (c.dark ? " of a dark list" : "");
        EXPECT_EQ(c.bk, draw.clrTextBk) << "row " << c.row << (c.dark ? " of a dark list" : "");
    }
}

TEST_F(RowPaint, OtherStagesCodesAndMessagesPassOnUnchanged) {
    SetPainterSettings({1, 1, 1, 1, 1, 1, 1, 1});
    for (DWORD stage : {(DWORD)CDDS_POSTPAINT, (DWORD)(CDDS_ITEMPREPAINT | CDDS_SUBITEM),
                        (DWORD)CDDS_ITEMPOSTPAINT, (DWORD)CDDS_PREERASE}) {
        NMLVCUSTOMDRAW draw = Record(stage, 0);
        NMLVCUSTOMDRAW before = draw;
        EXPECT_EQ(kRecorderResult, Notify(&draw));
        EXPECT_EQ(0, memcmp(&before, &draw, sizeof draw)) << stage;
    }
    NMLVCUSTOMDRAW click = Record(CDDS_ITEMPREPAINT, 0);
    click.nmcd.hdr.code = NM_CLICK;
    EXPECT_EQ(kRecorderResult, Notify(&click));
    EXPECT_EQ(kListBk, click.clrTextBk);
    EXPECT_EQ(kRecorderResult, SendMessageA(target, WM_USER + 5, 11, 22));
    LoggedMessage click_passed_on = PassedOn(0);
    click_passed_on.code = static_cast<UINT>(NM_CLICK);
    click_passed_on.compare = LOG_WPARAM | LOG_CODE;
    ExpectSequence({PassedOn(CDDS_POSTPAINT),
                    PassedOn(CDDS_ITEMPREPAINT | CDDS_SUBITEM),
                    PassedOn(CDDS_ITEMPOSTPAINT),
                    PassedOn(CDDS_PREERASE),
                    click_passed_on,
                    {"owner", WM_USER + 5, LOG_WPARAM | LOG_LPARAM, 11, 22}},
                   "other stages, codes and messages");
}

// A button's record is a bare NMCUSTOMDRAW: writing list-view colours would run past it. A
// "ListView" in a button's class name does not make it a list.
TEST_F(RowPaint, RecordsFromOtherControlsAreNeverWrittenTo) {
    WNDCLASSA button_class = {};
    ASSERT_TRUE(GetClassInfoA(NULL, "BUTTON", &button_class));
    button_class.lpszClassName = "ListViewButton";
    button_class.hInstance = GetModuleHandleA(NULL);
    RegisterClassA(&button_class);
    for (const char *class_name : {"BUTTON", "ListViewButton"}) {
        HWND button =
            CreateWindowExA(0, class_name, "b", WS_CHILD, 0, 0, 10, 10, target, NULL, NULL, NULL);
        ASSERT_NE(nullptr, button) << class_name;
        SetPainterSettings({1, 1, 1, 1, 1, 1, 1, 1});
        const unsigned char kGuard = 0xA5;
        for (DWORD stage : {(DWORD)CDDS_PREPAINT, (DWORD)CDDS_ITEMPREPAINT}) {
            const NMCUSTOMDRAW draw = CustomDrawRecord(button, stage).nmcd;
            unsigned char buffer[sizeof draw + 32];
            memset(buffer, kGuard, sizeof buffer);
            memcpy(buffer, &draw, sizeof draw);
            unsigned char before[sizeof buffer];
            memcpy(before, buffer, sizeof buffer);
            FlushLog();
            EXPECT_EQ(stage == CDDS_PREPAINT ? CDRF_DODEFAULT : kRecorderResult, Notify(buffer))
                << class_name << " " << stage;  // the owner's own answer, pre-paint too
            EXPECT_EQ(0, memcmp(before, buffer, sizeof buffer)) << class_name << " " << stage;
            ExpectSequence({PassedOn(stage)}, class_name);
        }
        DestroyWindow(button);
    }
    // Controls known by their class name are never asked the list-view's question (to a month
    // calendar it is a message of its own); only a control of a name unknown to the painter is.
    for (const char *name : {"SysTreeView32", "SysHeader32", "SysMonthCal32",
                             "WindowsForms10.BUTTON.app.0.1", "MadeUpControl"}) {
        RegisterWindowClass(name, RecordingProc);
        HWND control = CreateWindowExA(0, name, "", WS_CHILD, 0, 0, 9, 9, target, NULL,
                                       GetModuleHandleA(NULL), NULL);
        SetRole(control, "control");
        NMCUSTOMDRAW draw = CustomDrawRecord(control, CDDS_PREPAINT).nmcd;
        Notify(&draw);
        std::vector<LoggedMessage> expected = {PassedOn(CDDS_PREPAINT)};
        if (strcmp(name, "MadeUpControl") == 0)
            expected.insert(expected.begin(), {"control", LVM_GETHEADER});
        ExpectSequence(expected, name);
        DestroyWindow(control);
        UnregisterClassA(name, GetModuleHandleA(NULL));  // the list-views' own headers need theirs
    }
}

TEST_F(RowPaint, ListViewsUnderOtherClassNamesAreStillColored) {
    WNDCLASSA list_class = {};
    ASSERT_TRUE(GetClassInfoA(NULL, WC_LISTVIEWA, &list_class));
    list_class.lpszClassName = "MadeUpGridOfRows";
    list_class.hInstance = GetModuleHandleA(NULL);
    RegisterClassA(&list_class);
    HWND grid = CreateReportList(2, "MadeUpGridOfRows");
    ASSERT_NE(nullptr, grid);
    EXPECT_TRUE(IsListViewWindow(grid));
    EXPECT_TRUE(IsListViewWindow(list));
    EXPECT_FALSE(IsListViewWindow(target));
    EXPECT_FALSE(IsListViewWindow(NULL));

    NMLVCUSTOMDRAW pre = Record(CDDS_PREPAINT, 0, grid);
    EXPECT_EQ(CDRF_NOTIFYITEMDRAW, Notify(&pre));
    NMLVCUSTOMDRAW item = Record(CDDS_ITEMPREPAINT, 0, grid);
    Notify(&item);
    EXPECT_EQ(0xF0F0F0u, item.clrTextBk);
    DestroyWindow(GetParent(grid));
}

TEST_F(RowPaint, ARealListShowsTheTwoRowSets) {
    HWND frame = GetParent(list);
    COLORREF plain = RowBackground(list, 1);
    ASSERT_TRUE(RemoveRowPaintProc());
    ASSERT_TRUE(InstallRowPaintProc(frame));
    SetPainterSettings({0, 0, 0, 0, 1, RGB(240, 240, 240), 0, 0});
    EXPECT_EQ(RGB(240, 240, 240), RowBackground(list, 0));
    EXPECT_EQ(plain, RowBackground(list, 1));
    EXPECT_EQ(RGB(240, 240, 240), RowBackground(list, 2));

    SetPainterSettings({0, 0, 0, 0, 1, RGB(255, 0, 0), 1, RGB(0, 0, 255)});
    EXPECT_EQ(RGB(255, 0, 0), RowBackground(list, 0));
    EXPECT_EQ(RGB(0, 0, 255), RowBackground(list, 1));
}
