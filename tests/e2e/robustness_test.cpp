// The host with things that are not right: modules that are no plug-in, no plug-in folder, a
// garbage settings file, bad command lines.
#include <gtest/gtest.h>

#include "host_language.h"
#include "host_resource.h"
#include "host_runner.h"
#include "test_support.h"

namespace {

const char kGarbageText[] = "This is a shopping list, not a module.\nMilk\nBread\n";

// A file put into plugin\ that must be skipped, and what the host must say about it; or one
// that the host keeps (reason NULL, a name after "altrowtint") without being harmed by it.
struct BadModule : NamedCase<BadModule> {
    const char *file_name;  // in plugin\ .
    const char *fixture;    // copied from beside the test program; NULL: kGarbageText
    const char *reason;     // a part of the message naming it
};

class BadModuleInPluginFolder : public testing::TestWithParam<BadModule> {};

TEST_P(BadModuleInPluginFolder, IsSkippedWithAMessageOrHarmlessAndTheRestWorks) {
    const BadModule &bad = GetParam();
    std::string folder = FreshHostFolder();
    std::string target = folder + "\\plugin\\" + bad.file_name;
    if (bad.fixture == NULL)
        WriteText(target, kGarbageText);
    else
        ASSERT_TRUE(CopyFileA(FixturePath(bad.fixture).c_str(), target.c_str(), FALSE));

    RunningHost host;
    ASSERT_TRUE(host.Start(folder));
    std::string status = host.StatusText(), errors = host.Stderr();
    EXPECT_NE(std::string::npos, status.find(bad.file_name)) << status;
    std::string kept = bad.reason ? ", " : std::string(", ") + bad.file_name + ", ";
    EXPECT_NE(std::string::npos, status.find("altrowtint.sgp" + kept + "altrowtint.scp")) << status;
    EXPECT_NE(std::string::npos, status.find(bad.reason ? bad.reason : "")) << status;
    EXPECT_EQ(bad.reason != NULL, errors.find(bad.file_name) != std::string::npos) << errors;
    EXPECT_EQ(std::string::npos, status.find("(error ")) << "the system's words, not its code";
    // The real plug-ins still run: rows are painted and the settings page opens.
    EXPECT_EQ(kLightGrey, host.Row(0));
    EXPECT_EQ(host.ListBackground(), host.Row(1));
    HWND sheet = host.OpenSettingsDialog();
    ASSERT_NE(nullptr, sheet);
    EXPECT_NE(nullptr, GetDlgItem(CurrentPage(sheet), IDC_BK2_ENABLE));
    EXPECT_EQ(0u, host.Quit());
    EXPECT_EQ(kDefaultSettingsText, ReadText(SettingsFileIn(folder)));
}

// The painter of the other target, which the build beside this one made.
#ifdef _WIN64
#define OTHER_TARGET_PAINTER "..\\..\\..\\i686\\plugin\\altrowtint.sgp"
#define OTHER_BITNESS_REASON "it is a 32-bit module; this host is 64-bit"
#else
#define OTHER_TARGET_PAINTER "..\\..\\..\\x64\\plugin\\altrowtint.sgp"
#define OTHER_BITNESS_REASON "it is a 64-bit module; this host is 32-bit"
#endif
const BadModule kBadModules[] = {
    {"PainterOfTheOtherBitness", "other.sgp", OTHER_TARGET_PAINTER, OTHER_BITNESS_REASON},
    {"TextFileAsGeneral", "junk.sgp", NULL, "not a loadable"},
    {"TextFileAsConfiguration", "junk.scp", NULL, "not a loadable"},
    {"DllWithoutGeneralExport", "noexport.sgp", "module_without_export.dll", "GetGPluginInfo"},
    {"DllWithoutConfigurationExport", "noexport.scp", "module_without_export.dll",
     "GetCPluginInfo"},
    {"NullGeneralRecord", "nullrecord.sgp", "module_null_record.dll", "no record"},
    {"NullConfigurationRecord", "nullrecord.scp", "module_null_record.dll", "no record"},
    {"DecliningProbe", "declines.scp", "module_declining_probe.dll", "probe declined"},
    {"SmallIntegerAsRecord", "wild.sgp", "module_wild_record.dll", "outside the module"},
    {"StackAsRecord", "wild.scp", "module_wild_record.dll", "outside the module"},
    {"GeneralRecordWithoutCallbacks", "empty.sgp", "module_empty_record.dll", "would do nothing"},
    {"ConfigurationRecordWithoutCallbacks", "empty.scp", "module_empty_record.dll",
     "would do nothing"},
    {"FreesItselfAtStart", "selffree.sgp", "module_frees_itself.dll", NULL},
};
INSTANTIATE_TEST_SUITE_P(, BadModuleInPluginFolder, testing::ValuesIn(kBadModules), CaseName());

// Starts without plug-ins: the list shows unpainted and the status bar says why.
void ExpectListWithoutPlugins(const std::string &folder, const char *message) {
    RunningHost host;
    ASSERT_TRUE(host.Start(folder));
    EXPECT_EQ(300, host.RowCount());
    std::string status = host.StatusText();
    EXPECT_NE(std::string::npos, status.find(message)) << status;
    EXPECT_NE(std::string::npos, host.Stderr().find(message)) << host.Stderr();
    EXPECT_EQ(host.ListBackground(), host.Row(0));
    PostMessageA(host.window(), WM_COMMAND, IDM_FILE_SETTINGS, 0);
    EXPECT_TRUE(WaitUntil([&] {
        return host.StatusText().find("settings page") != std::string::npos;
    })) << host.StatusText();
    EXPECT_NE(std::string::npos, host.Stderr().find("settings page")) << host.Stderr();
    EXPECT_EQ(nullptr, host.SettingsDialog()) << "a dialog without pages";
    EXPECT_EQ(0u, host.Quit());
    EXPECT_FALSE(FileExists(SettingsFileIn(folder)));
}

TEST(PluginFolder, MissingFolderStartsWithoutPlugins) {
    std::string folder = FreshHostFolder(false);
    ExpectListWithoutPlugins(folder, "no plugin folder");
}

TEST(PluginFolder, EmptyFolderStartsWithoutPlugins) {
    std::string folder = FreshHostFolder(false);
    CreateDirectoryA((folder + "\\plugin").c_str(), NULL);
    WriteText(folder + "\\plugin\\readme.txt", "not a plug-in\n");
    ExpectListWithoutPlugins(folder, "holds no");
}

// Host folders that the narrow file functions cannot name. The plug-ins run from there, and a
// module skipped there is named on the status bar and on stderr as it is spelt.
const wchar_t kOutsideCodePage[] =
    L"\u30db\u30b9\u30c8_\ud638\uc2a4\ud2b8_\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac";

void ExpectPluginsRunFrom(const std::wstring &folder) {
    const std::wstring junk = std::wstring(kOutsideCodePage) + L".sgp";
    WriteFileBytes(L"\\\\?\\" + folder + L"\\plugin\\" + junk, kGarbageText);
    RunningHost host;
    ASSERT_TRUE(host.Start(folder));
    std::string status = host.StatusText(), skipped = Utf8(junk) + " skipped: not a loadable";
    EXPECT_NE(std::string::npos, status.find("Plug-ins: altrowtint.sgp, altrowtint.scp")) << status;
    EXPECT_NE(std::string::npos, status.find(skipped)) << status;
    EXPECT_NE(std::string::npos, host.Stderr().find(skipped)) << host.Stderr();
    EXPECT_EQ(kLightGrey, host.Row(0));
    EXPECT_NE(nullptr, host.OpenSettingsDialog());
    EXPECT_EQ(0u, host.Quit());
    EXPECT_EQ(kDefaultSettingsText, ReadText(folder + L"\\altrowtint.ini"));
}

TEST(PluginFolder, BesideAHostNamedOutsideTheCodePage) {
    ExpectPluginsRunFrom(FreshWideHostFolder(kOutsideCodePage));
}

TEST(PluginFolder, WhoseModulePathsPassMaxPath) {
    // <host>\altrowtint.ini still fits in MAX_PATH, as the plug-ins need; the modules do not.
    const size_t kHostFolderLength = MAX_PATH - 20;
    std::wstring folder = FreshWideHostFolder(L"deep", kHostFolderLength);
    ASSERT_GT((folder + L"\\plugin\\altrowtint.sgp").size(), size_t(MAX_PATH));
    ExpectPluginsRunFrom(folder);
}

TEST(SettingsFile, GarbageGivesTheDefaultsAndGetsTheKeysAtQuit) {
    std::string folder = FreshHostFolder();
    const std::string garbage = "\x7F\x01 ==== [[ ]]\n= =\nlorem=ipsum\n";
    WriteFileBytes(SettingsFileIn(folder), garbage);
    RunningHost host;
    ASSERT_TRUE(host.Start(folder));
    EXPECT_EQ(300, host.RowCount());
    EXPECT_EQ(kLightGrey, host.Row(0));
    EXPECT_EQ(host.ListBackground(), host.Row(1));
    EXPECT_EQ(0u, host.Quit());
    std::string text = ReadText(SettingsFileIn(folder));
    // The painter's save adds its section after what the file held.
    EXPECT_NE(std::string::npos, text.find(kDefaultSettingsText)) << text;
}

TEST(HostSwitches, SettingsSwitchOpensTheDialogAtStart) {
    std::string folder = FreshHostFolder();
    RunningHost host;
    ASSERT_TRUE(host.Start(folder, "--settings"));
    HWND sheet = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (sheet = host.SettingsDialog()) != NULL; }));
    EXPECT_NE(nullptr, GetDlgItem(CurrentPage(sheet), IDC_BK2_ENABLE));
    EXPECT_EQ(0u, host.Quit()) << "closing the host closes the open dialog";
}

TEST(HostSwitches, SettingsSwitchWithoutAPageSaysWhy) {
    std::string folder = FreshHostFolder();
    ASSERT_TRUE(DeleteFileA((folder + "\\plugin\\altrowtint.scp").c_str()));
    RunningHost host;
    ASSERT_TRUE(host.Start(folder, "--settings"));
    const char kWhy[] = "settings page: no configuration plug-in (*.scp) was loaded";
    EXPECT_TRUE(WaitUntil([&] { return host.StatusText().find(kWhy) != std::string::npos; }))
        << host.StatusText();
    EXPECT_NE(std::string::npos, host.Stderr().find(kWhy)) << host.Stderr();
    EXPECT_EQ(nullptr, host.SettingsDialog());
    EXPECT_EQ(kLightGrey, host.Row(0)) << "the painter runs on";
    EXPECT_EQ(0u, host.Quit());
}

// The language the host speaks for a display language, and the File menu it then shows.
struct LanguageCase : NamedCase<LanguageCase> {
    LANGID display;
    LANGID spoken;
    const wchar_t *file_menu;
};

class HostLanguage : public testing::TestWithParam<LanguageCase> {};

HMODULE LoadHostResources() {
    std::string exe = FreshHostFolder(false) + "\\refhost.exe";
    return LoadLibraryExA(exe.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
}

TEST_P(HostLanguage, IsJapaneseOnlyForAJapaneseDisplayAndHasItsMenu) {
    const LanguageCase &c = GetParam();
    EXPECT_EQ(c.spoken, HostLanguageFor(c.display));
    HMODULE host = LoadHostResources();
    HRSRC found = FindResourceExW(host, reinterpret_cast<LPCWSTR>(RT_MENU),
                                  MAKEINTRESOURCEW(IDR_MAIN_MENU), c.spoken);
    ASSERT_NE(nullptr, found) << "no menu in that language";
    HMENU menu = LoadMenuIndirectW(LockResource(LoadResource(host, found)));
    wchar_t file[64] = L"";
    GetMenuStringW(menu, 0, file, 64, MF_BYPOSITION);
    EXPECT_STREQ(c.file_menu, file);
    DestroyMenu(menu);
    FreeLibrary(host);
}

const LanguageCase kLanguages[] = {
    {"Japanese", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), kJapanese,
     L"\u30d5\u30a1\u30a4\u30eb(&F)"},
    {"BritishEnglish", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_UK), kEnglish, L"&File"},
    {"German", MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), kEnglish, L"&File"},
    {"Chinese", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), kEnglish, L"&File"},
};
INSTANTIATE_TEST_SUITE_P(, HostLanguage, testing::ValuesIn(kLanguages), CaseName());

// How many of the strings of one block of the host's string table are set in a language.
const int kBlockStrings = 16;
int StringsSetIn(HMODULE host, LPCWSTR block, LANGID language) {
    HRSRC found = FindResourceExW(host, reinterpret_cast<LPCWSTR>(RT_STRING), block, language);
    const WORD *entry =
        found ? static_cast<const WORD *>(LockResource(LoadResource(host, found))) : NULL;
    int set = 0;
    for (int i = 0; entry && i < kBlockStrings; ++i, entry += 1 + *entry) set += *entry != 0;
    return set;
}

BOOL CALLBACK CollectBlock(HMODULE, LPCWSTR, LPWSTR block, LONG_PTR blocks) {
    reinterpret_cast<std::vector<LPCWSTR> *>(blocks)->push_back(block);
    return TRUE;
}

TEST(HostLanguages, EveryStringIsSetInJapaneseAsInEnglish) {
    HMODULE host = LoadHostResources();
    std::vector<LPCWSTR> blocks;
    EnumResourceNamesW(host, reinterpret_cast<LPCWSTR>(RT_STRING), CollectBlock,
                       reinterpret_cast<LONG_PTR>(&blocks));
    ASSERT_FALSE(blocks.empty()) << "the host's texts are not in its resources";
    for (LPCWSTR block : blocks) {
        EXPECT_EQ(StringsSetIn(host, block, kEnglish), StringsSetIn(host, block, kJapanese))
            << "block " << reinterpret_cast<ULONG_PTR>(block);
    }
    FreeLibrary(host);
}

// A command line, the exit code and a part of what the host prints on each stream for it; NULL:
// that stream stays empty.
struct CommandLineCase : NamedCase<CommandLineCase> {
    const char *arguments;
    DWORD exit_code;
    const char *in_stdout;
    const char *in_stderr;
};

void ExpectStream(const char *name, const std::string &stream, const char *part) {
    if (part == NULL) {
        EXPECT_EQ("", stream) << name;
    } else {
        EXPECT_NE(std::string::npos, stream.find(part)) << name << ": " << stream;
    }
}

class HostCommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(HostCommandLine, EndsAtOnceWithItsExitCode) {
    const CommandLineCase &c = GetParam();
    std::string folder = FreshHostFolder();
    RunningHost host;
    EXPECT_EQ(c.exit_code, host.RunToEnd(folder, c.arguments));
    ExpectStream("stdout", host.Stdout(), c.in_stdout);
    ExpectStream("stderr", host.Stderr(), c.in_stderr);
    EXPECT_FALSE(FileExists(SettingsFileIn(folder))) << "the plug-ins were started";
}

const CommandLineCase kCommandLines[] = {
    {"Help", "--help", 0, "--screenshot PATH", NULL},
    {"UnknownSwitch", "--colour red", 2, NULL, "'--colour'"},
    {"ScreenshotWithoutPath", "--screenshot", 2, NULL, "--screenshot"},
    {"ScreenshotWithEmptyPath", "--screenshot \"\"", 2, NULL, "--screenshot needs a file name"},
};
INSTANTIATE_TEST_SUITE_P(, HostCommandLine, testing::ValuesIn(kCommandLines), CaseName());

}  // namespace
