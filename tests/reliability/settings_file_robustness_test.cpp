// Settings files that are odd, broken, random, or that the platform will not let us read or
// write: what the painter loads and paints, what the page shows, and what a save leaves behind.
#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>

#include "settings_checks.h"
#include "painter_core.h"
#include "settings.h"
#include "test_support.h"

namespace {

const COLORREF kListFilled = 0x00345678;  // what the list put in a record before the painter

// The list's custom-draw records for rows 0 to 3, sent to the subclassed window: every colour
// is the loaded one exactly when its flag is nonzero, else what the list filled in.
void ExpectPaints(HWND target, HWND list, const RowColorSettings &s) {
    NMLVCUSTOMDRAW pre = CustomDrawRecord(list, CDDS_PREPAINT);
    EXPECT_EQ(CDRF_NOTIFYITEMDRAW, SendMessageA(target, WM_NOTIFY, 0, (LPARAM)&pre));
    for (DWORD_PTR row = 0; row < 4; ++row) {
        NMLVCUSTOMDRAW draw =
            CustomDrawRecord(list, CDDS_ITEMPREPAINT, row, {kListFilled, kListFilled});
        SendMessageA(target, WM_NOTIFY, 0, (LPARAM)&draw);
        RowColors want = ExpectedRowColors(s, row, {kListFilled, kListFilled});
        EXPECT_EQ(want.text, draw.clrText) << "text of row " << row << " with " << Describe(s);
        EXPECT_EQ(want.background, draw.clrTextBk)
            << "background of row " << row << " with " << Describe(s);
    }
}

// Check boxes ticked exactly for the nonzero flags, swatches in exactly the loaded colours.
void ExpectPageShows(HWND page, const RowColorSettings &s) {
    SettingValues values = ValuesOf(s);
    for (int i = 0; i < 4; ++i) {
        LRESULT check = SendDlgItemMessageA(page, kCheckIds[i], BM_GETCHECK, 0, 0);
        EXPECT_EQ(values.v[2 * i] != 0 ? BST_CHECKED : BST_UNCHECKED, check)
            << kSettingKeys[2 * i] << " with " << Describe(s);
        EXPECT_EQ(values.v[2 * i + 1], SwatchColor(page, kSwatchIds[i]))
            << kSettingKeys[2 * i + 1] << " with " << Describe(s);
    }
}

struct SettingsFileRobustness : ::testing::Test {
    HMODULE page_module = NULL;
    const CPluginRecord *page_record = nullptr;
    HWND list = NULL, target = NULL;
    RowColorSettings loaded = {};  // what the last file checked loaded

    void SetUp() override {
        RemoveSettingsFile();
        page_module = LoadPagePlugin(&page_record);
        ASSERT_NE(nullptr, page_record);
        ASSERT_TRUE(RedirectPageHost(page_module, NULL));  // no host: the windows stay hidden
        list = CreateHiddenList(4);
        target = CreateRecorderWindow();
        ASSERT_TRUE(InstallRowPaintProc(target));  // the painter's procedure, linked in
    }
    void TearDown() override {
        EXPECT_TRUE(RemoveRowPaintProc());
        DestroyWindow(target);
        DestroyWindow(GetParent(list));
        FreeLibrary(page_module);
        RemoveSettingsFile();
        FlushLog();
    }

    // One file through load, paint, the page and both saves. `expected` is null where the
    // platform's profile functions decide the values; `kept` are texts the saves must leave.
    void CheckFile(const std::string &bytes, const RowColorSettings *expected, bool with_page,
                   const std::vector<std::string> &kept = {}) {
        PutSettingsBytes(bytes);
        ProfileView before = ReadProfileView(SettingsFile());
        LoadSettings(&loaded);
        SetPainterSettings(loaded);  // as the painter's start loads them
        if (expected != nullptr) {
            EXPECT_TRUE(SameSettings(*expected, loaded))
                << "expected " << Describe(*expected) << "\nloaded   " << Describe(loaded);
        }
        ExpectPaints(target, list, loaded);
        if (with_page) {
            HWND page = NULL;
            HWND sheet = OpenPageSheet(page_record, &page, false);
            ASSERT_NE(nullptr, page);
            ExpectPageShows(page, loaded);
            SendMessageA(sheet, PSM_APPLY, 0, 0);  // the page's save
            ExpectCompleteSave(WithFlagsAsTicks(loaded), before, bytes);
            DestroyWindow(sheet);
        }
        SaveSettings(&loaded);  // the painter's save, as at a stop
        ExpectCompleteSave(loaded, before, bytes);
        std::string text = SettingsFileText();
        for (const std::string &k : kept) {
            EXPECT_NE(std::string::npos, text.find(k)) << "lost \"" << k << "\"";
        }
    }
};

std::string Crlf(const std::string &text) { return WithLineEnds(text, "\r\n"); }
std::string Utf16(const std::string &text, bool mark = true) {  // the bytes of a UTF-16 file
    const std::wstring wide = Widen(text);
    return (mark ? "\xFF\xFE" : "") +
           std::string(reinterpret_cast<const char *>(wide.data()), wide.size() * sizeof(wchar_t));
}
#define BYTES(literal) std::string(literal, sizeof(literal) - 1)

const RowColorSettings kBk1Blue = {0, 0, 0, 0, 1, 0x0000FF, 0, 0xE0E0E0};
const RowColorSettings kCaseFolded = {1, 0x00FF00, 0, 0, 1, 0x0000FF, 0, 0xE0E0E0};
const RowColorSettings kLoose = {1, 0, 0, 0, 1, 0xF0F0F0, 0, 0xE0E0E0};  // [setting] keys only

std::string Junk() {  // bytes of every value but '[' and '=', so no section or key can form
    Random random(7);
    std::string junk;
    while (junk.size() < 3000) {
        char c = static_cast<char>(random.Below(256));
        if (c != '[' && c != '=') junk += c;
    }
    return junk;
}

std::string ManySections() {
    std::string text;
    for (int i = 0; i < 500; ++i) {
        text += "[s" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    }
    return text + Crlf(kCustomSettingsText);
}

struct CorpusCase {
    const char *name;
    std::string bytes;
    const RowColorSettings *expected;  // null: as the platform reads it
    std::vector<std::string> kept;
};

std::string S(const std::string &lines) { return Crlf("[setting]\n" + lines); }  // CRLF, [setting]

std::vector<CorpusCase> Corpus() {
    const std::string kOther = "[other]\nKeep=1\n", kCustomBody = kCustomSettingsText + 10;
    const std::string kMib(1 << 20, 'x'), kDigits(1 << 20, '7');
    // clang-format off
    return {
        {"empty file", "", &kDefaultSettings, {}},
        {"UTF-8 byte-order mark only", "\xEF\xBB\xBF", &kDefaultSettings, {}},
        {"UTF-16 byte-order mark only", "\xFF\xFE", &kDefaultSettings, {}},
        {"UTF-8 mark then settings", "\xEF\xBB\xBF" + S(kCustomBody + kOther), &kCustomSettings, {"Keep=1"}},
        {"UTF-16 text", Utf16(Crlf(kOther + kCustomSettingsText)), &kCustomSettings, {"Keep=1"}},
        {"UTF-16 text without a mark", Utf16(S(kCustomBody), false), nullptr, {}},
        {"binary junk", Junk(), &kDefaultSettings, {}},
        {"NUL bytes inside lines",
         BYTES("[setting]\r\nTextBkColor1=0x0000FF\0junk\r\nTextColor1Enable=1\0\r\nA=\0\0\r\n"),
         nullptr, {}},
        {"only the section line", S(""), &kDefaultSettings, {}},
        {"unclosed section line", "[setting\r\nTextBkColor1=0x0000FF\r\n", nullptr, {}},
        {"section line with text after it", "[setting] x\r\nTextBkColor1=0x0000FF\r\n", nullptr,
         {}},
        {"duplicate sections", S("TextBkColor1=0x0000FF\n[other]\nA=1\n[setting]\n"
                                 "TextBkColor1=0x00FF00\nTextBkColor2Enable=1\nMine=2\n"),
         nullptr, {"A=1", "Mine=2"}},
        {"duplicate keys", S("TextBkColor1=0x0000FF\nTextBkColor1=0x00FF00\n"), &kBk1Blue, {}},
        {"keys padded with spaces", S("   TextBkColor1   =   0x0000FF   \n"), &kBk1Blue, {}},
        {"keys padded with tabs", S("\tTextBkColor1\t=\t0x0000FF\t\n"), nullptr, {}},
        {"a space inside a key name", S("Text BkColor1=0x0000FF\n"), &kDefaultSettings,
         {"Text BkColor1="}},
        {"keys in other case",
         S("textbkcolor1=0x0000FF\nTEXTCOLOR1ENABLE=1\nTextColor1=0x00ff00\n"), &kCaseFolded, {}},
        {"section named Setting", Crlf("[Setting]\n" + kCustomBody), &kCustomSettings, {}},
        {"section named SETTING", Crlf("[SETTING]\n" + kCustomBody), &kCustomSettings, {}},
        {"section name padded", Crlf("[ setting ]\nTextBkColor1=0x0000FF\n"), nullptr, {}},
        {"look-alike section names",
         Crlf("[settings]\nTextBkColor1=0x0000FF\n[setting2]\nTextBkColor1Enable=0\n"
              "[sett]\nTextColor1Enable=1\n"),
         &kDefaultSettings, {"[settings]", "[setting2]", "[sett]"}},
        {"empty values", S("TextBkColor1Enable=\nTextBkColor1=\nTextColor2=\n"), nullptr, {}},
        {"negative values", S("TextColor1Enable=-1\nTextColor1=-1\nTextBkColor1Enable=-5\n"
                              "TextBkColor1=-16777216\nTextBkColor2=-0x10\n"), nullptr, {}},
        {"0x alone", S("TextBkColor1=0x\nTextColor1Enable=0x\n"), nullptr, {}},
        {"0x with nine and more digits",
         S("TextBkColor1=0x123456789\nTextColor2=0x0123456789ABCDEF0\nTextColor1=0x0000000FF\n"),
         nullptr, {}},
        {"decimal above 2^32", S("TextBkColor1=4294967297\nTextColor1Enable=4294967296\n"
                                 "TextColor2=99999999999999999999999999\n"), nullptr, {}},
        {"a 1 MiB line of another key",
         Crlf("[other]\nBig=") + kMib + Crlf("\nAfter=1\n" + std::string(kCustomSettingsText)), &kCustomSettings,
         {"After=1"}},
        {"a 1 MiB value of a setting", S("TextBkColor1=") + kDigits + Crlf("\nKeep=1\n"), nullptr,
         {"Keep=1"}},
        {"LF line ends", kOther + kCustomSettingsText, &kCustomSettings, {"Keep=1"}},
        {"CR line ends", WithLineEnds(kOther + kCustomSettingsText, "\r"), nullptr, {}},
        {"mixed line ends",
         "[setting]\r\nTextBkColor1=0x0000FF\nTextColor1Enable=1\rTextColor2Enable=1\n\r", nullptr,
         {}},
        {"no line end at the end", "[setting]\r\nTextBkColor1=0x0000FF", &kBk1Blue, {}},
        {"comment lines", S(";TextBkColor1Enable=0\n;TextBkColor1=0x00FF00\n"), &kDefaultSettings,
         {";TextBkColor1Enable=0"}},
        {"other sections before and after",
         Crlf("[before]\nA=1\n" + std::string(kCustomSettingsText) + "[after]\nB=2\nC=\n"), &kCustomSettings,
         {"[before]", "A=1", "[after]", "B=2"}},
        {"keys before any section",
         Crlf("TextBkColor1=0x00FF00\nLoose=1\n[setting]\nTextColor1Enable=1\n"), &kLoose,
         {"Loose=1"}},
        {"keys without a value sign", S("TextBkColor1Enable\nTextColor1\nFlag\n"), nullptr,
         {"Flag"}},
        {"text after the numbers",
         S("TextBkColor1=0x0000FFzz\nTextBkColor2Enable=1 ; on\nTextBkColor2=12a\n"), nullptr, {}},
        {"quoted values", S("TextBkColor1=\"0x0000FF\"\nTextColor1='0x00FF00'\n"), nullptr, {}},
        {"upper-case 0X and signs", S("TextBkColor1=0X0000FF\nTextColor1=+255\nTextColor2=0x+5\n"),
         nullptr, {}},
        {"leading zeros", S("TextBkColor1=000000255\nTextColor1Enable=0001\n"), nullptr, {}},
        {"blank and whitespace-only lines",
         Crlf("\n\n   \n\t\n") + S("\n  \nTextBkColor1=0x0000FF\n\n"), &kBk1Blue, {}},
        {"500 other sections", ManySections(), &kCustomSettings, {"[s0]", "[s499]"}},
        {"value signs everywhere", Crlf("==\n=\n") + S("=1\nTextBkColor1==0x0000FF\n"), nullptr,
         {}},
    };
    // clang-format on
}

}  // namespace

TEST_F(SettingsFileRobustness, HandWrittenFiles) {
    std::vector<CorpusCase> corpus = Corpus();
    for (const CorpusCase &c : corpus) {
        SCOPED_TRACE(std::string(c.name) + ": " + Printable(c.bytes, 80));
        CheckFile(c.bytes, c.expected, true, c.kept);
    }
    printf("%u hand-written files\n", static_cast<unsigned>(corpus.size()));
}

namespace {

// A random file made of pieces of good and bad ones.
std::string RandomFile(Random &random, bool *wide) {
    static const char *const kHeads[] = {"[setting]",  "[Setting]", "[SETTING]",  "[other]",
                                         "[",          "]",         "[setting",   "[ setting ]",
                                         "[settings]", "[]",        "[setting]]", "[x]"};
    static const char *const kKeys[] = {"TextColor1Enable",
                                        "TextColor1",
                                        "TextColor2Enable",
                                        "TextColor2",
                                        "TextBkColor1Enable",
                                        "TextBkColor1",
                                        "TextBkColor2Enable",
                                        "TextBkColor2",
                                        "textbkcolor1",
                                        " TextBkColor1 ",
                                        "TextColor1Enable\t",
                                        "Keep",
                                        "k",
                                        "",
                                        "Text Color1",
                                        ";TextColor1",
                                        "=",
                                        "#x"};
    static const char *const kValues[] = {
        "0",          "1",        "2",           "-1",         "0x",
        "0x0000FF",   "0xF0F0F0", "0x123456789", "4294967296", "99999999999999999999",
        "",           " ",        "0X1F",        "junk",       "0xFFFFFFFF",
        "16711680",   "0x00ff00", "=",           "1 ; on",     "-2147483648",
        "0x80000000", "\"5\""};
    static const char *const kEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\r", ""};
    std::string text = random.OneIn(10) ? "\xEF\xBB\xBF" : "";
    if (random.OneIn(2)) text += std::string(kHeads[random.Below(3)]) + "\r\n";
    std::string good = Crlf(kDefaultSettingsText);
    for (uint32_t line = 0, lines = random.Below(24); line < lines; ++line) {
        switch (random.Below(10)) {
        case 0:
            text += kHeads[random.Below(sizeof kHeads / sizeof *kHeads)];
            break;
        case 1:
            for (uint32_t n = 1 + random.Below(12); n > 0; --n) text += (char)random.Below(256);
            break;
        case 2: {
            size_t from = random.Below((uint32_t)good.size());
            text += good.substr(from, random.Below(40));
            break;
        }
        case 3:
            if (random.OneIn(4))
                text += std::string(random.Below(4000), (char)('a' + random.Below(26)));
            break;
        default:
            text += kKeys[random.Below(sizeof kKeys / sizeof *kKeys)];
            text += "=";
            text += kValues[random.Below(sizeof kValues / sizeof *kValues)];
        }
        text += kEnds[random.Below(sizeof kEnds / sizeof *kEnds)];
    }
    *wide = random.OneIn(12);
    return *wide ? Utf16(text) : text;
}

}  // namespace

TEST_F(SettingsFileRobustness, RandomFilesMadeOfPiecesOfGoodOnes) {
    const int kFiles = 800, kPageEvery = 40;
    const uint64_t seed = SeedFromEnvironment(0xA17C0105);
    Random random(seed);
    int wide = 0, non_default = 0, pages = 0;
    DWORD start = GetTickCount(), slowest = 0;
    for (int i = 0; i < kFiles; ++i) {
        bool is_wide = false;
        std::string bytes = RandomFile(random, &is_wide);
        DWORD file_start = GetTickCount();
        bool with_page = i % kPageEvery == 0;
        CheckFile(bytes, nullptr, with_page);
        slowest = std::max(slowest, GetTickCount() - file_start);
        wide += is_wide;
        pages += with_page;
        non_default += !SameSettings(loaded, kDefaultSettings);
        if (HasFailure()) {
            ADD_FAILURE() << "file " << i << " of seed " << seed << ": " << Printable(bytes, 400);
            break;
        }
    }
    printf(
        "seed %llu: %d files, %d UTF-16, %d with other values than the defaults, %d also "
        "through the page; %lu ms, slowest file %lu ms\n",
        (unsigned long long)seed, kFiles, wide, non_default, pages, GetTickCount() - start,
        slowest);
}

// ---- files the platform will not let us read or write ----------------------------------------

namespace {

enum FaultKind {
    HELD_UNSHARED,
    HELD_SHARED_FOR_READING,
    HELD_SHARING_ALL,
    FOLDER,
    READ_ONLY_FILE,
    READ_ONLY_FOLDER
};
// What another program's handle shares, by the kinds that hold the file open.
const DWORD kHeldSharing[] = {0, FILE_SHARE_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE};

bool CanOpen(const std::string &path, DWORD access) {
    HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool CanCreateBesideSettings() {
    std::string probe = ExeDir() + "\\probe.tmp";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW,
                              FILE_FLAG_DELETE_ON_CLOSE, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// One fault, switched on for as long as the object lives.
struct Fault {
    FaultKind kind;
    HANDLE held = INVALID_HANDLE_VALUE;
    bool writable = true;  // what the fault leaves possible, found out by trying
    bool readable = true;

    explicit Fault(FaultKind k) : kind(k) {
        std::string path = SettingsFile();
        switch (kind) {
        case HELD_UNSHARED:
        case HELD_SHARED_FOR_READING:
        case HELD_SHARING_ALL:
            held = CreateFileA(path.c_str(), GENERIC_READ, kHeldSharing[kind], NULL, OPEN_EXISTING,
                               0, NULL);
            EXPECT_NE(INVALID_HANDLE_VALUE, held);
            break;
        case FOLDER:
            RemoveSettingsFile();
            EXPECT_TRUE(CreateDirectoryA(path.c_str(), NULL));
            break;
        case READ_ONLY_FILE:
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
            break;
        case READ_ONLY_FOLDER:
            SetFileAttributesA(ExeDir().c_str(), FILE_ATTRIBUTE_READONLY);
            break;
        }
        // Run as root, the read-only attribute (which Wine maps to Unix permissions) does not stop
        // a write, and Wine keeps no such attribute on a folder at all: there the fault is no
        // fault, and only what holds either way is checked below.
        if (kind == READ_ONLY_FOLDER) {
            writable = CanCreateBesideSettings();
        } else if (kind != FOLDER) {
            writable = CanOpen(path, GENERIC_WRITE);
            readable = CanOpen(path, GENERIC_READ);
        } else {
            writable = readable = false;
        }
    }
    ~Fault() {
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        if (kind == FOLDER) {
            EXPECT_TRUE(RemoveDirectoryA(SettingsFile().c_str())) << "something was put inside";
        }
        if (kind == READ_ONLY_FILE)
            SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
        if (kind == READ_ONLY_FOLDER) SetFileAttributesA(ExeDir().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
};

// What the settings path holds: the file's bytes, or a mark for a folder or for nothing.
std::string PathContent() {
    DWORD attributes = GetFileAttributesA(SettingsFile().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return "(nothing)";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "(folder)";
    return ReadFileBytes(SettingsFile());
}

}  // namespace

// Another program lets go of the file a moment after the stop began.
static DWORD WINAPI CloseAfterAMoment(void *held) {
    Sleep(150);
    return CloseHandle(held);
}

TEST_F(SettingsFileRobustness, FilesThatCannotBeReadOrWritten) {
    const GPluginRecord *record = nullptr;
    HMODULE painter = LoadPainterPlugin(&record);
    ASSERT_NE(nullptr, record);
    HWND host = CreateFakeHost(), owner = CreateRecorderWindow();
    FakeHostAnswer = owner;
    MSG reload = {host, WM_HOST_PLUGINNOTIFY, PLUGINNOTIFY_RELOADSETTINGS, 0, 0, {0, 0}};
    const std::string kFile = Crlf(std::string("[other]\nKeep=1\n") + kCustomSettingsText);

    const struct {
        const char *name;
        FaultKind kind;
    } faults[] = {
        {"held open by another handle without sharing", HELD_UNSHARED},
        {"held open by another handle sharing only reads", HELD_SHARED_FOR_READING},
        {"held open for reading by a handle that shares everything", HELD_SHARING_ALL},
        {"replaced by a folder of the same name", FOLDER},
        {"read-only file", READ_ONLY_FILE},
        {"read-only folder and no file yet", READ_ONLY_FOLDER},
    };
    for (const auto &f : faults) {
        SCOPED_TRACE(f.name);
        bool has_file = f.kind != READ_ONLY_FOLDER;
        if (has_file) PutSettingsBytes(kFile);
        const RowColorSettings stored = has_file ? kCustomSettings : kDefaultSettings;
        record->event_callback(host, GPEVENT_INIT);
        ExpectPaints(owner, list, stored);
        HWND page = NULL, sheet = OpenPageSheet(page_record, &page, false);
        ASSERT_NE(nullptr, page);
        SendDlgItemMessageA(page, kCheckIds[0], BM_CLICK, 0, 0);  // the user's change
        RowColorSettings working = WithFlagsAsTicks(stored);
        working.TextColor1Enable = !working.TextColor1Enable;
        {
            Fault fault(f.kind);
            const std::string content = PathContent();
            const ProfileView before = ReadProfileView(SettingsFile());
            printf("%s: %s, %s\n", f.name, fault.readable ? "readable" : "unreadable",
                   fault.writable ? "writable" : "not writable");

            // A save that fails is reported and not accepted; the page keeps its state.
            AnswerNextDialog(MESSAGE_BOX_TEXT, IDOK);
            EXPECT_EQ(fault.writable, SendMessageA(sheet, PSM_APPLY, 0, 0) != 0);
            EXPECT_EQ(!fault.writable, Answer.seen);
            ExpectPageShows(page, working);
            record->message_hook(&reload);
            RowColorSettings now;
            LoadSettings(&now);
            if (!fault.writable) {
                EXPECT_EQ(Printable(content), Printable(PathContent())) << "written to";
                // What can be read is the file as it was; what cannot gives the defaults.
                EXPECT_TRUE(SameSettings(fault.readable ? stored : kDefaultSettings, now))
                    << Describe(now);
            } else {  // no fault after all: a save as any other
                ExpectCompleteSave(working, before, has_file ? kFile : "");
            }
            ExpectPaints(owner, list, now);  // the painter goes on with what it loaded

            record->event_callback(host, GPEVENT_QUIT);
            EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(owner));
            if (!fault.writable) {
                EXPECT_EQ(Printable(content), Printable(PathContent())) << "written at the stop";
            }
        }
        // Once the fault is gone, the page's next apply writes what the user chose.
        std::string bytes = ReadFileBytes(SettingsFile());
        ProfileView before = ReadProfileView(SettingsFile());
        EXPECT_TRUE(SendMessageA(sheet, PSM_APPLY, 0, 0));
        ExpectCompleteSave(working, before, bytes);
        DestroyWindow(sheet);
        RemoveSettingsFile();
    }
    // A backup or sync client holds the file alone for a moment just as the host stops the
    // painter: the stop's reload cannot read it, and writes nothing once the holder lets go.
    PutSettingsBytes(kFile);
    record->event_callback(host, GPEVENT_INIT);
    HANDLE held =
        CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    HANDLE letting_go = CreateThread(NULL, 0, CloseAfterAMoment, held, 0, NULL);
    record->event_callback(host, GPEVENT_QUIT);
    WaitForSingleObject(letting_go, INFINITE);
    CloseHandle(letting_go);
    EXPECT_EQ(Printable(kFile), Printable(ReadFileBytes(SettingsFile()))) << "written at the stop";
    DestroyWindow(owner);
    DestroyWindow(host);
    FreeLibrary(painter);
}

// Another instance of the host saves a signed file over and over, a colour's last bit turned over
// and back, while this one loads it: no load misses a value; the signature alone is gone at last.
TEST_F(SettingsFileRobustness, TwoReadersAndAWriterAtOnce) {
    const std::string other = ExeDir() + "\\other_host.exe";
    ASSERT_TRUE(CopyFileA((ExeDir() + "\\..\\settings_probe.exe").c_str(), other.c_str(), FALSE));
    int loads = 0, misses = 0;
    for (int run = 0; run < 5 && !HasFailure(); ++run) {
        PutSettingsBytes("\xEF\xBB\xBF" + Crlf(kCustomSettingsText));
        PROCESS_INFORMATION host = {};
        ASSERT_TRUE(StartChildProcess(Widen(other), "save 60", NULL, NULL, NULL, &host));
        for (; WaitForSingleObject(host.hProcess, 0) == WAIT_TIMEOUT; ++loads) {
            RowColorSettings loaded;
            LoadSettings(&loaded);
            loaded.TextBkColor1 &= ~1u;
            misses += !SameSettings(kCustomSettings, loaded);
        }
        for (HANDLE handle : {host.hThread, host.hProcess}) CloseHandle(handle);
        EXPECT_EQ(Printable(Crlf(kCustomSettingsText)), Printable(ReadFileBytes(SettingsFile())));
    }
    EXPECT_EQ(0, misses) << "of " << loads << " loads";
}

// Two other host instances, whose users each only ever change one box, apply at once a few
// hundred times between a start and a stop: neither undoes the other's choice, and between two
// writes the file is whole.
TEST_F(SettingsFileRobustness, TwoInstancesApplyingAtOnceKeepEachOthersChoices) {
    PutSettingsBytes(Crlf(std::string("[other]\nKeep=1\n") + kCustomSettingsText));
    const std::string exe = ExeDir() + "\\other_instance.exe";
    ASSERT_TRUE(CopyFileA((ExeDir() + "\\..\\settings_probe.exe").c_str(), exe.c_str(), FALSE));
    // TextColor1Enable 1 and TextBkColor2Enable 2, clicked an odd number of times: turned over.
    const std::string plugins = "plugins " + ExeDir() + "\\..\\..\\plugin ";
    PROCESS_INFORMATION processes[2] = {};
    ASSERT_TRUE(StartChildProcess(Widen(exe), plugins + "0 201", NULL, NULL, NULL, &processes[0]));
    ASSERT_TRUE(StartChildProcess(Widen(exe), plugins + "3 201", NULL, NULL, NULL, &processes[1]));
    HANDLE instances[2] = {processes[0].hProcess, processes[1].hProcess};
    int looks = 0, broken = 0;
    for (; WaitForMultipleObjects(2, instances, TRUE, 0) == WAIT_TIMEOUT; ++looks) {
        HANDLE lock = LockSettingsFile();
        std::string text = ReadFileBytes(SettingsFile());
        UnlockSettingsFile(lock);
        bool whole = text.find("[setting]") == text.rfind("[setting]") &&
                     text.find("[other]\r\nKeep=1") != std::string::npos;
        for (const char *key : kSettingKeys)
            whole &= text.find(std::string("\n") + key + "=") != std::string::npos;
        broken += !whole;
    }
    EXPECT_EQ(0, broken) << "of " << looks << " looks at the file between two writes";
    for (const PROCESS_INFORMATION &process : processes) {
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(0u, code) << "an instance's apply failed";
        for (HANDLE handle : {process.hThread, process.hProcess}) CloseHandle(handle);
    }
    RowColorSettings expected = kCustomSettings, now;
    expected.TextColor1Enable = expected.TextBkColor2Enable = 0;
    EXPECT_EQ(SETTINGS_FROM_FILE, LoadSettings(&now));
    EXPECT_TRUE(SameSettings(expected, now)) << Describe(now);
}
