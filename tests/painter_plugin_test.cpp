// The built altrowtint.sgp loaded as a host loads it, driven by a fake host window that answers
// the list-owner query with a recording target window.
#include <gtest/gtest.h>

#include <stdint.h>

#include <set>

#include "altrowtint_version.h"
#include "host_contract.h"
#include "test_support.h"

namespace {

// What reaches the list owner's own procedure of a pre-paint and an item pre-paint.
const LoggedMessage kPrePaint = {
    "owner",      WM_NOTIFY, LOG_CODE | LOG_STAGE, 0, 0, static_cast<UINT>(NM_CUSTOMDRAW),
    CDDS_PREPAINT};
const LoggedMessage kItemPrePaint = {
    "owner",          WM_NOTIFY, LOG_CODE | LOG_STAGE, 0, 0, static_cast<UINT>(NM_CUSTOMDRAW),
    CDDS_ITEMPREPAINT};

struct PainterPlugin : ::testing::Test {
    HMODULE module = NULL;
    const GPluginRecord *record = nullptr;
    HWND host = NULL, target = NULL, list = NULL;

    void SetUp() override {
        RemoveSettingsFile();
        Load();
        host = CreateFakeHost();
        target = CreateRecorderWindow(NULL, "owner");
        list = CreateReportList(2);
        FakeHostAnswer = target;
        FlushLog();
    }
    void TearDown() override {
        if (ProcOf(target) != RecordingProc) Event(GPEVENT_QUIT);
        FreeLibrary(module);
        DestroyWindow(GetParent(list));
        DestroyWindow(target);
        DestroyWindow(host);
    }
    void Load() {
        module = LoadPainterPlugin(&record);
        ASSERT_NE(nullptr, record);
    }
    int Event(int code) { return record->event_callback(host, code); }
    int Hook(UINT message, WPARAM wparam) {
        MSG msg = {};
        msg.hwnd = host;
        msg.message = message;
        msg.wParam = wparam;
        return record->message_hook(&msg);
    }
    COLORREF PaintedBackground(DWORD_PTR row) { return ItemBackgroundThrough(target, list, row); }
};

}  // namespace

TEST_F(PainterPlugin, RecordHoldsTheTwoCallbacksOfThisModule) {
    EXPECT_EQ(0u, record->reserved);
    auto base = reinterpret_cast<uintptr_t>(module);
    auto size = reinterpret_cast<const IMAGE_NT_HEADERS *>(
                    base + reinterpret_cast<const IMAGE_DOS_HEADER *>(module)->e_lfanew)
                    ->OptionalHeader.SizeOfImage;
    for (uintptr_t callback : {reinterpret_cast<uintptr_t>(record->message_hook),
                               reinterpret_cast<uintptr_t>(record->event_callback)}) {
        EXPECT_GE(callback, base);
        EXPECT_LT(callback, base + size);
    }
    EXPECT_NE(reinterpret_cast<void *>(record->message_hook),
              reinterpret_cast<void *>(record->event_callback));
}

TEST_F(PainterPlugin, InitLoadsTheFileAndSubclassesTheListOwner) {
    WriteSettingsFile(kCustomSettingsText);
    EXPECT_EQ(1, Event(GPEVENT_INIT));
    EXPECT_NE(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
    EXPECT_EQ(0x123456u, PaintedBackground(0));
    EXPECT_EQ(0xABCDEFu, PaintedBackground(1));  // a flag of 2 counts as on
    EXPECT_EQ(kRecorderResult, SendMessageA(target, WM_USER + 9, 1, 2));
    ExpectSequence({kListOwnerQuery,
                    kPrePaint,
                    kItemPrePaint,
                    kPrePaint,
                    kItemPrePaint,
                    {"owner", WM_USER + 9, LOG_WPARAM | LOG_LPARAM, 1, 2}},
                   "the host asked once; the pre-paints, item pre-paints and other messages pass "
                   "on");
}

TEST_F(PainterPlugin, TheHookReloadsOnlyOnTheReloadNotification) {
    EXPECT_EQ(0, Hook(WM_HOST_PLUGINNOTIFY, PLUGINNOTIFY_RELOADSETTINGS));  // before init: fine
    Event(GPEVENT_INIT);
    EXPECT_EQ(0xF0F0F0u, PaintedBackground(0));
    WriteSettingsFile("[setting]\nTextBkColor1=0x0000FF\n");
    struct {
        UINT message;
        WPARAM wparam;
    } others[] = {
        {WM_HOST_PLUGINNOTIFY, PLUGINNOTIFY_RELOADSETTINGS + 1},
        {WM_HOST_PLUGINNOTIFY + 1, PLUGINNOTIFY_RELOADSETTINGS},
        {WM_PAINT, 0},
    };
    for (const auto &other : others) {
        EXPECT_EQ(0, Hook(other.message, other.wparam));
        EXPECT_EQ(0xF0F0F0u, PaintedBackground(0)) << other.message << "/" << other.wparam;
    }
    EXPECT_EQ(0, record->message_hook(nullptr));
    EXPECT_EQ(0, Hook(WM_HOST_PLUGINNOTIFY, PLUGINNOTIFY_RELOADSETTINGS));
    EXPECT_EQ(0x0000FFu, PaintedBackground(0));
}

TEST_F(PainterPlugin, QuitPutsTheProcedureBackAndWritesTheFileInKeyOrder) {
    Event(GPEVENT_INIT);
    EXPECT_EQ(1, Event(GPEVENT_QUIT));
    ExpectSequence({kListOwnerQuery, kListOwnerQuery}, "the stop asks again, not remembered");
    EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
    EXPECT_EQ(kDefaultSettingsText, ReadSettingsText());

    WriteSettingsFile(std::string("[keep]\nA=1\n") + kCustomSettingsText);
    Event(GPEVENT_INIT);
    Event(GPEVENT_QUIT);
    EXPECT_EQ(std::string("[keep]\nA=1\n") + kCustomSettingsText, ReadSettingsText());  // 2 stays 2
}

// The page saved a newer choice that no reload notification brought to the painter.
TEST_F(PainterPlugin, QuitKeepsANewerFileThatThePageSaved) {
    Event(GPEVENT_INIT);
    WriteSettingsFile(kCustomSettingsText);
    Event(GPEVENT_QUIT);
    EXPECT_EQ(kCustomSettingsText, ReadSettingsText());
}

TEST_F(PainterPlugin, QuitWithoutInitChangesNothing) {
    WriteSettingsFile("[setting]\nTextColor1=0x0000FF\n");
    std::string before = ReadFileBytes(SettingsFile());
    EXPECT_EQ(1, Event(GPEVENT_QUIT));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
    EXPECT_EQ(before, ReadFileBytes(SettingsFile()));
    EXPECT_EQ(kRecorderResult, SendMessageA(target, WM_USER, 0, 0));
}

TEST_F(PainterPlugin, RepeatedInitsAndCyclesKeepTheOriginalProcedure) {
    Event(GPEVENT_INIT);
    Event(GPEVENT_INIT);  // must not make RowPaintProc its own predecessor
    EXPECT_EQ(kRecorderResult, SendMessageA(target, WM_USER, 0, 0));
    EXPECT_EQ(0xF0F0F0u, PaintedBackground(0));
    Event(GPEVENT_QUIT);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
    for (int cycle = 0; cycle < 20; ++cycle) {
        Event(GPEVENT_INIT);
        EXPECT_EQ(0xF0F0F0u, PaintedBackground(0));
        Event(GPEVENT_QUIT);
        ASSERT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target)) << cycle;
    }
    // Unloaded after quit and loaded again, as a host may do.
    FreeLibrary(module);
    Load();
    Event(GPEVENT_INIT);
    EXPECT_EQ(0xF0F0F0u, PaintedBackground(0));
    Event(GPEVENT_QUIT);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
    // Unloaded without a stop: the painter stays loaded and colouring until it is stopped.
    Event(GPEVENT_INIT);
    FreeLibrary(module);
    EXPECT_NE(nullptr, GetModuleHandleA("altrowtint.sgp"));
    EXPECT_EQ(0xF0F0F0u, PaintedBackground(0));
    Load();  // the same module, still started
    Event(GPEVENT_QUIT);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
}

// A host that rebuilds its view destroys the owner without a stop: the next message through the
// hook asks the host again (not again at once while it names none), the new owner is coloured,
// and the stop gives it its own procedure back. While an owner lives, the hook asks nothing. A
// start without a stop in between colours a new owner as well.
TEST_F(PainterPlugin, ANewListOwnerIsColoredAfterTheHooksNextMessageOrAStart) {
    Event(GPEVENT_INIT);
    for (int rebuild = 0; rebuild < 3; ++rebuild) {
        FlushLog();
        Hook(WM_PAINT, 0);
        DestroyWindow(target);
        target = FakeHostAnswer = NULL;
        Hook(WM_PAINT, 0);
        Hook(WM_PAINT, 0);
        Sleep(100);
        target = FakeHostAnswer = CreateRecorderWindow(NULL, "owner");
        Hook(WM_PAINT, 0);
        Hook(WM_PAINT, 0);
        ExpectSequence({kListOwnerQuery, kListOwnerQuery}, "the hook after the owner went");
        EXPECT_EQ(0xF0F0F0u, PaintedBackground(0)) << rebuild;
    }
    DestroyWindow(target);
    target = FakeHostAnswer = CreateRecorderWindow();
    Event(GPEVENT_INIT);  // no stop in between
    EXPECT_EQ(0xF0F0F0u, PaintedBackground(0));
    Event(GPEVENT_QUIT);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
}

namespace {
// Another general plug-in of the same host, subclassing the same window after the painter.
WNDPROC OtherPluginNext;
LRESULT CALLBACK OtherPluginProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProcA(OtherPluginNext, window, message, wparam, lparam);
}
void OtherPluginStarts(HWND window) {
    OtherPluginNext = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherPluginProc)));
}
void OtherPluginStops(HWND window) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherPluginNext));
}
// The same through the common controls' subclass chain.
LRESULT CALLBACK OtherChainedProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                  DWORD_PTR) {
    return DefSubclassProc(window, message, wparam, lparam);
}
}  // namespace

TEST_F(PainterPlugin, UnloadedWithoutAStopUnderAnotherSubclassItStaysLoadedAndColoring) {
    for (bool common_controls : {false, true}) {
        SCOPED_TRACE(common_controls ? "SetWindowSubclass" : "SetWindowLongPtr");
        Event(GPEVENT_INIT);
        if (common_controls) {
            ASSERT_TRUE(SetWindowSubclass(target, OtherChainedProc, 1, 0));
        } else {
            OtherPluginStarts(target);
        }
        FreeLibrary(module);  // no stop, and no message since the other subclass came
        FlushLog();
        SetWindowTextA(target, "still calling through");
        EXPECT_EQ(0xF0F0F0u, PaintedBackground(0));
        ExpectSequence({{"owner", WM_SETTEXT}, kPrePaint, kItemPrePaint},
                       "through the freed painter");
        if (common_controls) {
            RemoveWindowSubclass(target, OtherChainedProc, 1);
        } else {
            OtherPluginStops(target);
        }
        Load();  // a later stop puts the window's own procedure back and lets the module go
        Event(GPEVENT_QUIT);
        EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
        FreeLibrary(module);
        EXPECT_EQ(nullptr, GetModuleHandleA("altrowtint.sgp"));
        Load();
    }
}

TEST_F(PainterPlugin, AnotherSubclassAboveStaysInTheChainWhicheverStopsFirst) {
    const WNDPROC other = OtherPluginProc;
    for (bool painter_stops_first : {false, true}) {
        SCOPED_TRACE(painter_stops_first ? "stopped in start order" : "stopped in reverse order");
        Event(GPEVENT_INIT);
        OtherPluginStarts(target);
        if (!painter_stops_first) OtherPluginStops(target);
        Event(GPEVENT_QUIT);
        if (painter_stops_first) {
            EXPECT_EQ(other, ProcOf(target));  // not cut out of the chain
            EXPECT_EQ(CLR_DEFAULT,
                      PaintedBackground(0));  // still called through, colouring nothing
            HWND next_owner = FakeHostAnswer = CreateRecorderWindow();
            Event(GPEVENT_INIT);  // on a new owner, meanwhile: that one is coloured
            EXPECT_EQ(0xF0F0F0u, ItemBackgroundThrough(next_owner, list, 0));
            Event(GPEVENT_QUIT);
            DestroyWindow(next_owner);
            FakeHostAnswer = target;
            Event(GPEVENT_INIT);  // colours again from inside the chain
            EXPECT_EQ(other, ProcOf(target));
            EXPECT_EQ(0xF0F0F0u, PaintedBackground(0));
            Event(GPEVENT_QUIT);
        }
        FreeLibrary(module);
        if (painter_stops_first) OtherPluginStops(target);  // puts back what it found: ours
        FlushLog();
        EXPECT_EQ(kRecorderResult, SendMessageA(target, WM_USER + 3, 0, 0));
        ExpectSequence({{"owner", WM_USER + 3}}, "after the other subclass and the unload");
        // Kept mapped only while something may still call through it.
        EXPECT_EQ(painter_stops_first, GetModuleHandleA("altrowtint.sgp") != NULL);
        Load();
    }
    // Still the window's procedure since that stop: a start colours, and never goes in twice.
    Event(GPEVENT_INIT);
    FlushLog();
    EXPECT_EQ(0xF0F0F0u, PaintedBackground(0));
    ExpectSequence({kPrePaint, kItemPrePaint}, "the pre-paint and the item, passed on once");
    Event(GPEVENT_QUIT);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
}

// A list owner that, as it is destroyed, has the host stop and free the painter: its WM_DESTROY
// came through RowPaintProc, which must still be there to return to.
static const GPluginRecord *PainterOfTheHost;
static LRESULT CALLBACK FreesThePainter(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY && PainterOfTheHost->event_callback(window, GPEVENT_QUIT)) {
        FreeLibrary(GetModuleHandleA("altrowtint.sgp"));
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

TEST_F(PainterPlugin, AStopAndUnloadInsideAMessageThroughThePainterReturnsSafely) {
    PainterOfTheHost = record;
    SetWindowLongPtrA(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FreesThePainter));
    Event(GPEVENT_INIT);
    DestroyWindow(target);  // the fixture's unload then lets go of what the painter kept
    EXPECT_NE(nullptr, GetModuleHandleA("altrowtint.sgp")) << "unmapped under its own call";
}

TEST_F(PainterPlugin, AUnicodeOwnerStaysUnicode) {
    WNDCLASSW unicode_class = {};
    unicode_class.lpfnWndProc = DefWindowProcW;
    unicode_class.hInstance = GetModuleHandleW(NULL);
    unicode_class.lpszClassName = L"AltRowTintUnicodeOwner";
    RegisterClassW(&unicode_class);
    HWND owner = CreateWindowExW(0, unicode_class.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0,
                                 100, 100, NULL, NULL, unicode_class.hInstance, NULL);
    const LONG_PTR own_proc = GetWindowLongPtrW(owner, GWLP_WNDPROC);
    FakeHostAnswer = owner;
    Event(GPEVENT_INIT);
    EXPECT_TRUE(IsWindowUnicode(owner));
    EXPECT_EQ(NFR_UNICODE, SendMessageW(owner, WM_NOTIFYFORMAT, 0, NF_QUERY));
    const wchar_t kTitle[] = L"\uD55C\uAE00 \U0001F600";  // no ANSI code page holds these
    wchar_t title[16] = L"";
    SetWindowTextW(owner, kTitle);
    GetWindowTextW(owner, title, 16);
    EXPECT_STREQ(kTitle, title);
    EXPECT_EQ(0xF0F0F0u, ItemBackgroundThrough(owner, list, 0));
    Event(GPEVENT_QUIT);
    EXPECT_EQ(own_proc, GetWindowLongPtrW(owner, GWLP_WNDPROC));
    EXPECT_TRUE(IsWindowUnicode(owner));
    DestroyWindow(owner);
}

namespace {
// The platform's answer on high contrast, as a test wants it (Wine cannot switch it); each
// question is logged as kHighContrastAsked.
bool FakeHighContrast;
const LoggedMessage kHighContrastAsked = {"platform", SPI_GETHIGHCONTRAST};
BOOL WINAPI FakeSystemParametersInfoW(UINT action, UINT param, void *data, UINT flags) {
    BOOL result = SystemParametersInfoW(action, param, data, flags);
    if (action != SPI_GETHIGHCONTRAST) return result;
    LogCall(kHighContrastAsked.role, kHighContrastAsked.message);
    HIGHCONTRASTW *contrast = static_cast<HIGHCONTRASTW *>(data);
    contrast->dwFlags = FakeHighContrast ? contrast->dwFlags | HCF_HIGHCONTRASTON
                                         : contrast->dwFlags & ~HCF_HIGHCONTRASTON;
    return TRUE;
}
}  // namespace

TEST_F(PainterPlugin, HighContrastLeavesEveryColorToTheList) {
    void *platform = PatchImport(module, "USER32.dll", "SystemParametersInfoW",
                                 reinterpret_cast<void *>(FakeSystemParametersInfoW));
    ASSERT_NE(nullptr, platform);
    Event(GPEVENT_INIT);
    // Asked once per paint, at its pre-paint, not per row.
    const struct {
        bool on;
        COLORREF background;
    } switches[] = {{true, CLR_DEFAULT}, {false, 0xF0F0F0}, {true, CLR_DEFAULT}};
    for (const auto &s : switches) {
        FakeHighContrast = s.on;
        FlushLog();
        EXPECT_EQ(s.background, PaintedBackground(0)) << s.on;
        ExpectSequence({kHighContrastAsked, kPrePaint, kItemPrePaint},
                       s.on ? "high contrast on" : "high contrast off");
    }
    PatchImport(module, "USER32.dll", "SystemParametersInfoW", platform);  // the module may stay
}

// The lists show reloaded colours at once: the painter repaints them, nobody else does; in a
// split view, both lists under the owner.
TEST_F(PainterPlugin, AReloadRepaintsTheListsItColored) {
    HWND frame = FakeHostAnswer = GetParent(list);
    MoveWindow(list, 0, 0, 400, 150, TRUE);
    HWND second = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 150,
                                  400, 150, frame, NULL, NULL, NULL);
    FillReportList(second, 2, 1, 100);
    Event(GPEVENT_INIT);
    for (HWND each : {list, second}) EXPECT_EQ(0xF0F0F0u, RowBackground(each, 0));
    WriteSettingsFile("[setting]\nTextBkColor1=0x0000FF\n");
    Hook(WM_HOST_PLUGINNOTIFY, PLUGINNOTIFY_RELOADSETTINGS);
    for (HWND each : {list, second}) EXPECT_EQ(0x0000FFu, RowBackground(each, 0, false));
    Event(GPEVENT_QUIT);
}

TEST_F(PainterPlugin, UnknownEventsAndBadHostAnswersAreHarmless) {
    for (int code : {2, -1, 100}) EXPECT_EQ(1, Event(code));
    ExpectSequence({}, "unknown events ask the host nothing");
    HWND gone = CreateRecorderWindow();
    DestroyWindow(gone);
    for (HWND answer : {static_cast<HWND>(NULL), gone}) {
        FakeHostAnswer = answer;
        EXPECT_EQ(1, Event(GPEVENT_INIT));
        EXPECT_EQ(1, Event(GPEVENT_QUIT));
    }
    EXPECT_EQ(1, record->event_callback(NULL, GPEVENT_INIT));
    EXPECT_EQ(1, record->event_callback(NULL, GPEVENT_QUIT));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(target));
    EXPECT_FALSE(FileExists(SettingsFile()));  // nothing attached, so nothing to save
}

#if defined(__GNUC__) && defined(__i386__)
// Calls fn(a) or fn(a, b) and returns how many bytes of arguments were left on the stack: 0 when
// the callee popped its own, as the standard callback convention requires.
static intptr_t StackDriftOfCall(const void *fn, uintptr_t a, uintptr_t b, bool two) {
    uintptr_t result = reinterpret_cast<uintptr_t>(fn);
    uintptr_t two_flag = two ? 1 : 0;
    __asm__ volatile(
        "mov %%esp, %%esi\n\t"
        "test %%edi, %%edi\n\t"
        "jz 1f\n\t"
        "push %%ecx\n\t"
        "1:\n\t"
        "push %%edx\n\t"
        "call *%%eax\n\t"
        "mov %%esi, %%eax\n\t"
        "sub %%esp, %%eax\n\t"
        "mov %%esi, %%esp\n\t"
        : "+a"(result), "+c"(b), "+d"(a), "+D"(two_flag)
        :
        : "esi", "memory", "cc");
    return static_cast<intptr_t>(result);
}

static int __cdecl CallerPopsArguments(int a, int b) { return a + b; }
#endif

// Present in every build, so that the i686 run lists the same cases as the x64 run.
TEST_F(PainterPlugin, CallbacksPopTheirOwnArguments) {
#if !defined(__GNUC__) || !defined(__i386__)
    GTEST_SKIP() << "one calling convention on this target: measured in the 32-bit run";
#else
    // The measure itself: a function that leaves its two arguments to the caller drifts by 8.
    EXPECT_EQ(8, StackDriftOfCall(reinterpret_cast<const void *>(CallerPopsArguments), 1, 2, true));
    MSG msg = {};
    EXPECT_EQ(0, StackDriftOfCall(reinterpret_cast<const void *>(record->message_hook),
                                  reinterpret_cast<uintptr_t>(&msg), 0, false));
    EXPECT_EQ(0, StackDriftOfCall(reinterpret_cast<const void *>(record->event_callback),
                                  reinterpret_cast<uintptr_t>(host), 7, true));
#endif
}

// ---- both deliverables as files ----------------------------------------------------------------

TEST(Deliverables, AreModulesOfTheirTargetImportingOnlySystemDlls) {
    const std::set<std::string> system_dlls = {"KERNEL32.DLL", "USER32.DLL",   "GDI32.DLL",
                                               "COMCTL32.DLL", "COMDLG32.DLL", "SHLWAPI.DLL",
                                               "MSVCRT.DLL"};
    struct {
        const char *file, *export_name;
    } modules[] = {{"altrowtint.sgp", GENERAL_PLUGIN_EXPORT},
                   {"altrowtint.scp", CONFIG_PLUGIN_EXPORT}};
    for (const BuiltPair &pair : PairsCheckedAsFiles()) {
        for (const auto &m : modules) {
            SCOPED_TRACE(std::string(pair.target) + " " + m.file);
            std::string path = pair.folder + m.file;
            EXPECT_EQ(pair.machine, MachineType(path));
            std::vector<std::string> dlls = ImportedDlls(path);
            EXPECT_FALSE(dlls.empty());
            for (const std::string &dll : dlls) EXPECT_EQ(1u, system_dlls.count(dll)) << dll;
            EXPECT_EQ(std::vector<std::string>{m.export_name}, ExportedNames(path));
        }
    }
}

TEST(Deliverables, CarryTheVersionResource) {
    std::vector<std::string> paths;
    for (const BuiltPair &pair : PairsCheckedAsFiles()) {
        for (const char *file : {"altrowtint.sgp", "altrowtint.scp"})
            paths.push_back(pair.folder + file);
    }
    for (const std::string &path : paths) {
        const char *file = path.c_str();
        DWORD ignored = 0;
        std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), &ignored));
        ASSERT_FALSE(info.empty()) << file;
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, (DWORD)info.size(), info.data()));
        VS_FIXEDFILEINFO *fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void **>(&fixed), &length));
        const DWORD high = MAKELONG(ALTROWTINT_VERSION_MINOR, ALTROWTINT_VERSION_MAJOR);
        const DWORD low = MAKELONG(ALTROWTINT_VERSION_TWEAK, ALTROWTINT_VERSION_PATCH);
        EXPECT_EQ(high, fixed->dwFileVersionMS);
        EXPECT_EQ(low, fixed->dwFileVersionLS);
        EXPECT_EQ(high, fixed->dwProductVersionMS);
        EXPECT_EQ(low, fixed->dwProductVersionLS);
        EXPECT_EQ(0u, fixed->dwFileFlags);
        EXPECT_EQ(0u, fixed->dwFileOS);
        EXPECT_EQ(0u, fixed->dwFileType);
        WORD *translation = nullptr;
        ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                                   reinterpret_cast<void **>(&translation), &length));
        EXPECT_EQ(0x0411, translation[0]);  // Japanese
        EXPECT_EQ(932, translation[1]);

        VersionStrings strings = ReadVersionStrings(path);
        EXPECT_EQ("041103a4", strings.table_name) << file;
        EXPECT_FALSE(strings.values.empty());
        for (const auto &value : strings.values) {
            EXPECT_EQ(value.first == "FileVersion" ? ALTROWTINT_VERSION_TEXT : "", value.second)
                << file << ": " << value.first;
        }
    }
}
