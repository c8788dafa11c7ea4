// The built altrowtint.scp: its record and page callback, its dialog template, and the real page
// inside a real modeless property sheet, with the colour chooser driven by a timer.
#include <gtest/gtest.h>

#include <string.h>
#include <wctype.h>

#include <algorithm>

#include "host_contract.h"
#include "test_support.h"

namespace {

// The reload notification as the host's main window receives it.
const LoggedMessage kReload = {"host", WM_HOST_PLUGINNOTIFY, LOG_WPARAM | LOG_LPARAM,
                               PLUGINNOTIFY_RELOADSETTINGS, 0};

struct SettingsPage : ::testing::Test {
    HMODULE module = NULL;
    const CPluginRecord *record = nullptr;
    HWND host = NULL, sheet = NULL, page = NULL;

    void SetUp() override {
        RemoveSettingsFile();
        module = LoadPagePlugin(&record);
        ASSERT_NE(nullptr, record);
        ASSERT_TRUE(RecordBrushesOf(module));
        host = CreateHostMainWindow();
        FlushLog();
    }
    void TearDown() override {
        Close();
        DestroyWindow(host);
        FreeLibrary(module);
    }
    void Open() {
        sheet = OpenPageSheet(record, &page);
        ASSERT_NE(nullptr, sheet);
        ASSERT_NE(nullptr, page);
    }
    void Close() {
        if (sheet != NULL) DestroyWindow(sheet);
        sheet = page = NULL;
        PumpMessages();
    }
    void Click(int id) { SendDlgItemMessageA(page, id, BM_CLICK, 0, 0); }
    bool Checked(int id) { return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    HBRUSH SwatchBrush(int swatch_id) { return ::SwatchBrush(page, swatch_id); }
    COLORREF SwatchColor(int swatch_id) { return ::SwatchColor(page, swatch_id); }
    // Presses a pick button and answers the chooser that it opens.
    void Pick(int pick_id, bool confirm, COLORREF color = 0) {
        AnswerNextChooser(confirm, color);
        Click(pick_id);
        EXPECT_TRUE(Answer.seen) << "the colour chooser did not open";
    }
    void Apply() {
        SendMessageA(sheet, PSM_APPLY, 0, 0);
        PumpMessages();
    }
    // What the frame hears from this page after a command: Apply on, or off.
    LoggedMessage Changed() const { return Verdict(PSM_CHANGED); }
    LoggedMessage Unchanged() const { return Verdict(PSM_UNCHANGED); }
    LoggedMessage Verdict(UINT message) const {
        return {"frame", message, LOG_WPARAM | LOG_LPARAM, reinterpret_cast<WPARAM>(page), 0};
    }
};

}  // namespace

TEST(PagePlugin, RecordProbeAndPageCallback) {
    const CPluginRecord *record = nullptr;
    HMODULE module = LoadPagePlugin(&record);
    ASSERT_NE(nullptr, record);
    EXPECT_EQ(0u, record->reserved0);
    EXPECT_EQ(0u, record->reserved1);
    EXPECT_EQ(1, record->probe());

    struct Case {
        int index, kind, capacity;
        bool page;
        const char *path;  // what the buffer holds afterwards
    } cases[] = {
        {0, 1, 64, true, "plugin/altrowtint"},
        {0, 1, 18, true, "plugin/altrowtint"},
        {0, 1, 7, true, "plugin"},
        {0, 1, 1, true, ""},
        {0, 1, 0, true, "untouched"},
        {0, 1, -5, true, "untouched"},
        {1, 1, 64, false, "untouched"},
        {0, 0, 64, false, "untouched"},
        {0, 2, 64, false, "untouched"},
        {1, 0, 64, false, "untouched"},
    };
    for (const Case &c : cases) {
        char buffer[64], before[64];
        memset(buffer, 'Z', sizeof buffer);
        strcpy(buffer, "untouched");
        memcpy(before, buffer, sizeof buffer);
        HPROPSHEETPAGE page = record->page_callback(c.index, c.kind, buffer, c.capacity);
        EXPECT_EQ(c.page, page != NULL) << c.index << "," << c.kind << " capacity " << c.capacity;
        EXPECT_STREQ(c.path, buffer) << c.index << "," << c.kind << " capacity " << c.capacity;
        if (c.capacity > 0) {
            EXPECT_EQ(0,
                      memcmp(before + c.capacity, buffer + c.capacity, sizeof buffer - c.capacity))
                << "wrote past capacity " << c.capacity;
        }
        if (page != NULL) DestroyPropertySheetPage(page);
    }
    HPROPSHEETPAGE page = record->page_callback(0, 1, NULL, 0);  // no buffer at all
    EXPECT_NE(nullptr, page);
    DestroyPropertySheetPage(page);
    FreeLibrary(module);
}

// ---- the dialog template, read from the module's resources ----------------------------------
namespace {

struct TemplateReader {
    const BYTE *p;
    WORD Word() {
        WORD v;
        memcpy(&v, p, 2);
        p += 2;
        return v;
    }
    DWORD Dword() {
        DWORD v;
        memcpy(&v, p, 4);
        p += 4;
        return v;
    }
    std::wstring Text() {
        std::wstring text;
        for (WORD c = Word(); c != 0; c = Word()) text += static_cast<wchar_t>(c);
        return text;
    }
    std::wstring TextOrOrdinal() {  // an ordinal comes back as "#<number>"
        WORD first;
        memcpy(&first, p, 2);
        if (first != 0xFFFF) return Text();
        p += 2;
        return L"#" + std::to_wstring(Word());
    }
    // A control class: a predefined class by its ordinal or by its name, in lower case.
    std::wstring ClassName() {
        std::wstring name = TextOrOrdinal();
        if (name == L"#128") return L"button";
        if (name == L"#130") return L"static";
        for (wchar_t &c : name) c = static_cast<wchar_t>(towlower(c));
        return name;
    }
    void Align(const BYTE *base) { p = base + ((p - base + 3) & ~3); }
};

struct ItemTemplate {
    DWORD id, style, ex_style;
    short x, y, cx, cy;
    std::wstring class_name, text;
};

const DWORD kGroupId = static_cast<DWORD>(IDC_STATIC);  // a group box is never addressed
const std::wstring kButton = L"button", kStatic = L"static";
const DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_CHILD | WS_VISIBLE;
const DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE;
const DWORD kGroup = BS_GROUPBOX | WS_CHILD | WS_VISIBLE;
const DWORD kSwatch = SS_LEFT | WS_CHILD | WS_VISIBLE;
const std::wstring kTextGroup = L"\u30a2\u30a4\u30c6\u30e0\u306e\u6587\u5b57\u8272";
const std::wstring kBkGroup = L"\u30a2\u30a4\u30c6\u30e0\u306e\u80cc\u666f\u8272";
const std::wstring kOddRows = L"\u5947\u6570\u884c\u3092\u5909\u66f4";
const std::wstring kEvenRows = L"\u5076\u6570\u884c\u3092\u5909\u66f4";

const ItemTemplate kExpectedItems[] = {
    {kGroupId, kGroup, 0, 5, 5, 235, 50, kButton, kTextGroup},
    {IDC_TEXT1_ENABLE, kCheck, 0, 15, 20, 100, 11, kButton, kOddRows},
    {IDC_TEXT1_SWATCH, kSwatch, WS_EX_STATICEDGE, 120, 20, 30, 11, kStatic, L""},
    {IDC_TEXT1_PICK, kPush, 0, 155, 20, 15, 11, kButton, L"..."},
    {IDC_TEXT2_ENABLE, kCheck, 0, 15, 35, 100, 11, kButton, kEvenRows},
    {IDC_TEXT2_SWATCH, kSwatch, WS_EX_STATICEDGE, 120, 35, 30, 11, kStatic, L""},
    {IDC_TEXT2_PICK, kPush, 0, 155, 35, 15, 11, kButton, L"..."},
    {kGroupId, kGroup, 0, 5, 60, 235, 50, kButton, kBkGroup},
    {IDC_BK1_ENABLE, kCheck, 0, 15, 75, 100, 11, kButton, kOddRows},
    {IDC_BK1_SWATCH, kSwatch, WS_EX_STATICEDGE, 120, 75, 30, 11, kStatic, L""},
    {IDC_BK1_PICK, kPush, 0, 155, 75, 15, 11, kButton, L"..."},
    {IDC_BK2_ENABLE, kCheck, 0, 15, 90, 100, 11, kButton, kEvenRows},
    {IDC_BK2_SWATCH, kSwatch, WS_EX_STATICEDGE, 120, 90, 30, 11, kStatic, L""},
    {IDC_BK2_PICK, kPush, 0, 155, 90, 15, 11, kButton, L"..."},
};

}  // namespace

// Read from the file's resources: the shipped 32-bit pair is checked from the x64 programs too.
static void CheckDialogTemplate(const std::string &path) {
    HMODULE module = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC resource = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(IDD_SETTINGSPAGE),
                                     MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_NE(nullptr, resource);
    const BYTE *base = static_cast<const BYTE *>(LockResource(LoadResource(module, resource)));
    TemplateReader r = {base};
    EXPECT_EQ(1, r.Word());  // extended template
    EXPECT_EQ(0xFFFF, r.Word());
    r.Dword();                 // help id
    EXPECT_EQ(0u, r.Dword());  // extended style
    EXPECT_EQ(0x90C808CCu, r.Dword());
    WORD count = r.Word();
    EXPECT_EQ(14, count);
    short frame[4];
    for (short &v : frame) v = static_cast<short>(r.Word());
    EXPECT_EQ(0, frame[0]);
    EXPECT_EQ(0, frame[1]);
    EXPECT_EQ(245, frame[2]);
    EXPECT_EQ(115, frame[3]);
    EXPECT_EQ(L"", r.TextOrOrdinal());  // no menu
    EXPECT_EQ(L"", r.TextOrOrdinal());  // the standard dialog class
    EXPECT_EQ(L"altrowtint", r.Text());
    EXPECT_EQ(9, r.Word());  // points
    r.Word();                // weight
    r.Word();                // italic, charset
    EXPECT_EQ(L"Ms Shell Dlg", r.Text());
    for (WORD i = 0; i < count && i < 14; ++i) {
        r.Align(base);
        const ItemTemplate &want = kExpectedItems[i];
        r.Dword();  // help id
        EXPECT_EQ(want.ex_style, r.Dword()) << "item " << i;
        EXPECT_EQ(want.style, r.Dword()) << "item " << i;
        short box[4];
        for (short &v : box) v = static_cast<short>(r.Word());
        EXPECT_EQ(want.x, box[0]) << "item " << i;
        EXPECT_EQ(want.y, box[1]) << "item " << i;
        EXPECT_EQ(want.cx, box[2]) << "item " << i;
        EXPECT_EQ(want.cy, box[3]) << "item " << i;
        EXPECT_EQ(want.id, r.Dword()) << "item " << i;
        EXPECT_TRUE(want.class_name == r.ClassName()) << "class of item " << i;
        EXPECT_TRUE(want.text == r.TextOrOrdinal()) << "text of item " << i;
        WORD extra = r.Word();
        r.p += extra;
    }
    FreeLibrary(module);
}

TEST(PagePlugin, DialogTemplateHoldsTheFourteenControls) {
    for (const BuiltPair &pair : PairsCheckedAsFiles()) {
        SCOPED_TRACE(pair.target);
        CheckDialogTemplate(pair.folder + "altrowtint.scp");
    }
}

// ---- the page at work ------------------------------------------------------------------------

// The template's Japanese labels reach the controls unchanged, whatever the ANSI code page.
TEST_F(SettingsPage, EveryControlShowsItsTemplateText) {
    Open();
    HWND control = GetWindow(page, GW_CHILD);  // in creation order
    for (const ItemTemplate &item : kExpectedItems) {
        ASSERT_NE(nullptr, control);
        wchar_t text[64] = L"";
        GetWindowTextW(control, text, 64);
        EXPECT_EQ(item.text, text)
            << "control " << static_cast<int>(item.id) << ", code page " << GetACP();
        control = GetWindow(control, GW_HWNDNEXT);
    }
}

TEST_F(SettingsPage, OpensWithTheTabCaptionAndTheFileOnTheControls) {
    WriteSettingsFile(kCustomSettingsText);
    Open();
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    char caption[64] = "";
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = caption;
    tab.cchTextMax = sizeof caption;
    SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tab));
    EXPECT_STREQ("altrowtint", caption);

    const bool checked[] = {true, false, true, true};  // a stored 2 shows as ticked
    const COLORREF colors[] = {0x0000FF, 0x00FF00, 0x123456, 0xABCDEF};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(checked[i], Checked(kCheckIds[i])) << kCheckIds[i];
        EXPECT_EQ(colors[i], SwatchColor(kSwatchIds[i])) << kSwatchIds[i];
    }
    // Any other static control gets the dialog's own answer, never a swatch brush.
    HBRUSH other = SwatchBrush(kCheckIds[0]);
    for (int id : kSwatchIds) EXPECT_NE(SwatchBrush(id), other);
    Click(IDC_BK2_ENABLE);
    Click(IDC_BK2_ENABLE);
    ExpectSequence({Changed(), Unchanged()}, "the stored 2 unticked and ticked again");
}

TEST_F(SettingsPage, TickingABoxAndTickingItBackTellsTheFrameChangedThenUnchanged) {
    Open();
    for (int id : kCheckIds) {
        Click(id);
        Click(id);
        ExpectSequence({Changed(), Unchanged()},
                       ("ticked and unticked " + std::to_string(id)).c_str());
    }
}

TEST_F(SettingsPage, ApplyWritesAllEightKeysAndPostsTheReload) {
    WriteSettingsFile("[other]\nKeep=1\n");
    Open();
    Apply();  // nothing changed: still written and posted
    EXPECT_EQ(std::string("[other]\nKeep=1\n") + kDefaultSettingsText, ReadSettingsText());
    ExpectSequence({kReload}, "apply with nothing changed");

    Click(IDC_BK2_ENABLE);
    Click(IDC_TEXT1_ENABLE);
    Apply();
    std::string expected = kDefaultSettingsText;
    expected.replace(expected.find("TextColor1Enable=0"), 18, "TextColor1Enable=1");
    expected.replace(expected.find("TextBkColor2Enable=0"), 20, "TextBkColor2Enable=1");
    EXPECT_EQ(std::string("[other]\nKeep=1\n") + expected, ReadSettingsText());
    ExpectSequence({Changed(), Changed(), kReload}, "two ticks, then apply");
    Click(IDC_TEXT2_ENABLE);
    Click(IDC_TEXT2_ENABLE);  // back to what was applied, so unchanged
    ExpectSequence({Changed(), Unchanged()}, "a tick and back after the apply");
}

TEST_F(SettingsPage, AConfirmedColorReplacesTheSwatchBrush) {
    Open();
    HBRUSH old_brush = SwatchBrush(IDC_BK1_SWATCH);
    Pick(IDC_BK1_PICK, true, RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), SwatchColor(IDC_BK1_SWATCH));
    EXPECT_EQ(0, GetObjectType(old_brush));  // deleted, not leaked
    Apply();
    EXPECT_NE(std::string::npos, ReadSettingsText().find("TextBkColor1=0x1E140A\n"));
    ExpectSequence({Changed(), kReload}, "a colour picked, then apply");

    // Picking exactly the stored colour: a new brush, and the page is unchanged again.
    Pick(IDC_BK1_PICK, true, RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), SwatchColor(IDC_BK1_SWATCH));
    ExpectSequence({Unchanged()}, "the stored colour picked again");
}

TEST_F(SettingsPage, ACancelledChooserChangesNothingButStillReports) {
    Open();
    HBRUSH before = SwatchBrush(IDC_TEXT1_SWATCH);
    Pick(IDC_TEXT1_PICK, false);
    EXPECT_EQ(before, SwatchBrush(IDC_TEXT1_SWATCH));
    EXPECT_EQ(0u, SwatchColor(IDC_TEXT1_SWATCH));
    ExpectSequence({Unchanged()}, "a cancelled chooser on an unchanged page");
    Click(IDC_TEXT2_ENABLE);
    Pick(IDC_TEXT2_PICK, false);  // the tick still differs from the file
    ExpectSequence({Changed(), Changed()}, "a tick, then a cancelled chooser");
}

TEST_F(SettingsPage, ClosingWithoutApplyWritesNothingAndFreesTheBrushes) {
    Open();
    Click(IDC_TEXT1_ENABLE);
    Pick(IDC_BK2_PICK, true, RGB(1, 2, 3));
    std::vector<HBRUSH> brushes;
    for (int id : kSwatchIds) brushes.push_back(SwatchBrush(id));
    Close();
    EXPECT_FALSE(FileExists(SettingsFile()));
    for (HBRUSH brush : brushes) EXPECT_EQ(0, GetObjectType(brush));
}

// The colour chooser, during whose modal loop the host removes the page; then the user confirms.
static BOOL WINAPI ChooserOutlivingThePage(CHOOSECOLORA *chooser) {
    SendMessageA(GetParent(chooser->hwndOwner), PSM_REMOVEPAGE, 0, 0);
    return TRUE;
}

// Every brush the page makes is deleted exactly once (WM_DESTROY twice, later pages, a page
// removed while its colour chooser is open), and none is made for a page that is gone.
TEST_F(SettingsPage, EachBrushIsDeletedExactlyOnce) {
    Open();
    Pick(IDC_TEXT1_PICK, true, RGB(9, 9, 9));
    SendMessageA(page, WM_DESTROY, 0, 0);  // a stray destroy before the real one
    Close();
    Open();
    Close();
    Open();
    ASSERT_NE(nullptr, PatchImport(module, "COMDLG32.dll", "ChooseColorA",
                                   reinterpret_cast<void *>(ChooserOutlivingThePage)));
    Click(IDC_BK1_PICK);
    Close();
    std::vector<HGDIOBJ> made(BrushesMade.begin(), BrushesMade.end());
    std::sort(made.begin(), made.end());
    std::vector<HGDIOBJ> deleted = ObjectsDeleted;
    std::sort(deleted.begin(), deleted.end());
    EXPECT_EQ(13u, made.size());  // four per page, one per pick confirmed while the page lived
    EXPECT_EQ(made, deleted);
}

TEST_F(SettingsPage, GarbageShowsDefaultsAndAFailedSaveIsReportedAndNotApplied) {
    WriteSettingsFile("\x7f\x01[setting\nTextBkColor1Enable=\nTextColor1=oops\n==\n");
    Open();
    EXPECT_FALSE(Checked(IDC_TEXT1_ENABLE));
    EXPECT_TRUE(Checked(IDC_BK1_ENABLE));
    EXPECT_EQ(0xF0F0F0u, SwatchColor(IDC_BK1_SWATCH));

    WriteSettingsFile("[setting]\nTextColor1Enable=0\n");
    // Held open without sharing by another program: the save fails, and the user is told.
    HANDLE holder =
        CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    Click(IDC_TEXT1_ENABLE);
    AnswerNextDialog(MESSAGE_BOX_TEXT, IDOK);
    EXPECT_FALSE(SendMessageA(sheet, PSM_APPLY, 0, 0)) << "the frame took the page as applied";
    PumpMessages();
    CloseHandle(holder);
    EXPECT_TRUE(Answer.seen) << "no message box";
    EXPECT_NE(std::wstring::npos, Answer.text.find(Widen(SettingsFile())));
    wchar_t reason[256] = L"";  // the system's own words for the lock, in the user's language
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL,
                   ERROR_SHARING_VIOLATION, 0, reason, 256, NULL);
    std::wstring reason_text = reason;
    reason_text.erase(reason_text.find_last_not_of(L"\r\n") + 1);
    ASSERT_FALSE(reason_text.empty());
    EXPECT_NE(std::wstring::npos, Answer.text.find(reason_text)) << "no reason in the box";
    EXPECT_EQ("[setting]\nTextColor1Enable=0\n", ReadSettingsText());
    EXPECT_TRUE(Checked(IDC_TEXT1_ENABLE));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, ID_SHEET_APPLY)));
    Click(IDC_TEXT2_ENABLE);
    Click(IDC_TEXT2_ENABLE);  // the page still differs from what is stored
    ExpectSequence({Changed(), Changed(), Changed()}, "a failed apply posts no reload");

    AnswerNextDialog(MESSAGE_BOX_TEXT, IDOK);
    EXPECT_TRUE(SendMessageA(sheet, PSM_APPLY, 0, 0));  // tried again, it succeeds silently
    PumpMessages();
    EXPECT_FALSE(Answer.seen);
    EXPECT_NE(std::string::npos, ReadSettingsText().find("TextColor1Enable=1\n"));
    ExpectSequence({kReload}, "the apply tried again");
}

// A wizard has neither OK nor Apply: its Finish saves as they do, and a failed save keeps the
// wizard open on the page, the user told why.
TEST_F(SettingsPage, AWizardsFinishSavesAndAFailedOneKeepsItOpen) {
    for (DWORD wizard : {(DWORD)PSH_WIZARD, (DWORD)PSH_WIZARD97}) {
        WriteSettingsFile("[setting]\nTextColor1Enable=0\n");
        sheet = OpenPageSheet(record, &page, true, wizard);
        ASSERT_NE(nullptr, page);
        Click(IDC_TEXT1_ENABLE);
        HANDLE holder =
            CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
        AnswerNextDialog(MESSAGE_BOX_TEXT, IDOK);
        PropSheet_PressButton(sheet, PSBTN_FINISH);
        PumpMessages();
        CloseHandle(holder);
        EXPECT_TRUE(Answer.seen) << "no message box in wizard " << wizard;
        EXPECT_EQ(page, PropSheet_GetCurrentPageHwnd(sheet)) << "the wizard closed";
        PropSheet_PressButton(sheet, PSBTN_FINISH);
        PumpMessages();
        EXPECT_NE(std::string::npos, ReadSettingsText().find("TextColor1Enable=1\n")) << wizard;
        ExpectSequence({Changed(), kReload}, "a tick, a failed finish, a finish");
        Close();
    }
}

// Two settings dialogs at once: a colour picked and cancelled in one reaches neither the other
// nor the file, and its closing blanks nothing; OK in one keeps what the other saved since.
TEST_F(SettingsPage, TwoPagesOpenAtOnceEachKeepTheirOwnState) {
    Open();
    HWND other_page = NULL, other_sheet = OpenPageSheet(record, &other_page);
    ASSERT_NE(nullptr, other_sheet);
    AnswerNextChooser(true, RGB(1, 2, 3));
    SendDlgItemMessageA(other_page, IDC_BK1_PICK, BM_CLICK, 0, 0);
    EXPECT_EQ(RGB(1, 2, 3), ::SwatchColor(other_page, IDC_BK1_SWATCH));
    EXPECT_EQ(0xF0F0F0u, SwatchColor(IDC_BK1_SWATCH));
    DestroyWindow(other_sheet);  // cancelled
    PumpMessages();
    EXPECT_EQ(0xF0F0F0u, SwatchColor(IDC_BK1_SWATCH));
    Click(IDC_TEXT1_ENABLE);
    Apply();
    std::string expected = kDefaultSettingsText;
    expected.replace(expected.find("TextColor1Enable=0"), 18, "TextColor1Enable=1");
    EXPECT_EQ(expected, ReadSettingsText());

    other_sheet = OpenPageSheet(record, &other_page);
    SendDlgItemMessageA(other_page, IDC_TEXT2_ENABLE, BM_CLICK, 0, 0);
    SendMessageA(other_sheet, PSM_APPLY, 0, 0);
    DestroyWindow(other_sheet);
    Click(IDC_BK2_ENABLE);  // and one of this page's own
    Apply();
    expected.replace(expected.find("TextColor2Enable=0"), 18, "TextColor2Enable=1");
    expected.replace(expected.find("TextBkColor2Enable=0"), 20, "TextBkColor2Enable=1");
    EXPECT_EQ(expected, ReadSettingsText());
    EXPECT_TRUE(Checked(IDC_TEXT2_ENABLE));
}

namespace {
// The page's posts, each logged as it is made under the role of the window posted to (wParam:
// the message, lParam: its wParam); the message itself is logged later, when it arrives. The
// first host window posted to goes away at once, in the middle of the walk.
const UINT kPosted = WM_APP + 0x100;
const LoggedMessage kReloadPosted = {"host", kPosted, LOG_WPARAM | LOG_LPARAM, WM_HOST_PLUGINNOTIFY,
                                     PLUGINNOTIFY_RELOADSETTINGS};
BOOL WINAPI PostThenDestroyTheFirst(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const bool first = MessageLog().empty();  // the log is flushed before the apply
    LogMessage(window, kPosted, message, wparam);
    BOOL posted = PostMessageA(window, message, wparam, lparam);
    if (first) DestroyWindow(window);
    return posted;
}
}  // namespace

TEST_F(SettingsPage, EveryHostInstanceHearsTheReloadWhenOneGoesAwayMeanwhile) {
    HWND hosts[] = {host, CreateHostMainWindow(), CreateHostMainWindow()};
    ASSERT_NE(nullptr, PatchImport(module, "USER32.dll", "PostMessageA",
                                   reinterpret_cast<void *>(PostThenDestroyTheFirst)));
    Open();
    FlushLog();
    Apply();
    EXPECT_EQ(2, IsWindow(hosts[0]) + IsWindow(hosts[1]) + IsWindow(hosts[2]));
    ExpectSequence({kReloadPosted, kReloadPosted, kReloadPosted, kReload, kReload},
                   "a post to each host window, then the reload in the two left");
    for (HWND window : hosts) DestroyWindow(window);
}
