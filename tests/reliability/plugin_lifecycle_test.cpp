// The built plug-ins over long use and under a host that misbehaves: starts and stops by the
// thousand, settings page sessions by the hundred, and stops that find the host gone or changed.
// Afterwards the subclassed window has its own procedure back and nothing is left over: every
// brush the page made was deleted (seen through its imports) and no window stayed behind. The
// platform's own object counts cannot tell: Wine counts none of them.
#include <gtest/gtest.h>

#include <stdio.h>

#include <algorithm>

#include "settings_checks.h"
#include "test_support.h"

namespace {

// A message sent to the list owner after the painter let it go: it reaches the owner alone.
const LoggedMessage kOwnerHearsOneMessage = {"recorder", WM_USER + 7, LOG_WPARAM | LOG_LPARAM, 1,
                                             2};

struct Painter {
    HMODULE module = NULL;
    const GPluginRecord *record = nullptr;
    Painter() { module = LoadPainterPlugin(&record); }
    ~Painter() { FreeLibrary(module); }
    void Event(HWND host, int code) { record->event_callback(host, code); }
};

// The painter's calls that set a window procedure go into the message log as this entry of the
// window's: wParam GWLP_WNDPROC, lParam the new procedure. On 32-bit Windows SetWindowLongPtrA is
// SetWindowLongA under another name; on 64-bit Windows it is a function of its own.
const UINT kProcedureSet = WM_APP + 0x100;
#ifdef _WIN64
const char kSetProcedureImport[] = "SetWindowLongPtrA";
#else
const char kSetProcedureImport[] = "SetWindowLongA";
#endif
LONG_PTR WINAPI RecordingSetWindowLongPtr(HWND window, int index, LONG_PTR value) {
    if (index == GWLP_WNDPROC) LogMessage(window, kProcedureSet, GWLP_WNDPROC, value);
    return SetWindowLongPtrA(window, index, value);
}
LoggedMessage ProcedureSet(WNDPROC procedure) {
    return {"recorder", kProcedureSet, LOG_WPARAM | LOG_LPARAM, static_cast<WPARAM>(GWLP_WNDPROC),
            reinterpret_cast<LPARAM>(procedure)};
}

}  // namespace

TEST(PluginLifecycle, StopsThatFindTheHostGoneOrChanged) {
    enum Misdeed { HOST_DESTROYED, ANSWERS_NULL, ANSWERS_ANOTHER, ANSWERS_DESTROYED, NO_HOST };
    const struct {
        const char *name;
        Misdeed misdeed;
    } cases[] = {
        {"host window destroyed before the stop", HOST_DESTROYED},
        {"host answers no window at the stop", ANSWERS_NULL},
        {"host answers another window at the stop", ANSWERS_ANOTHER},
        {"host answers a destroyed window at the stop", ANSWERS_DESTROYED},
        {"stop given no host window", NO_HOST},
    };
    RemoveSettingsFile();
    HWND list = CreateHiddenList(2);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Painter painter;
        ASSERT_NE(nullptr, painter.record);
        HWND host = CreateFakeHost(), owner = CreateRecorderWindow();
        HWND bystander = GetParent(CreateHiddenList(1));  // a window of another procedure
        WNDPROC bystander_proc = ProcOf(bystander);
        FakeHostAnswer = owner;
        painter.Event(host, GPEVENT_INIT);
        ASSERT_NE(reinterpret_cast<WNDPROC>(RecordingProc), ProcOf(owner));

        HWND gone = CreateRecorderWindow();
        DestroyWindow(gone);
        if (c.misdeed == HOST_DESTROYED) DestroyWindow(host);
        if (c.misdeed == ANSWERS_NULL) FakeHostAnswer = NULL;
        if (c.misdeed == ANSWERS_ANOTHER) FakeHostAnswer = bystander;
        if (c.misdeed == ANSWERS_DESTROYED) FakeHostAnswer = gone;
        painter.Event(c.misdeed == NO_HOST ? NULL : host, GPEVENT_QUIT);

        EXPECT_EQ(bystander_proc, ProcOf(bystander)) << "a window it never subclassed was changed";
        if (ProcOf(owner) != reinterpret_cast<WNDPROC>(RecordingProc)) {
            ADD_FAILURE() << "the subclassed window did not get its procedure back";
            SetWindowLongPtrA(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
        }
        FlushLog();
        EXPECT_EQ(kRecorderResult, SendMessageA(owner, WM_USER + 7, 1, 2));
        ExpectSequence({kOwnerHearsOneMessage}, "the owner after a stop");

        // A well-behaved start and stop afterwards still work.
        DestroyWindow(host);
        host = CreateFakeHost();
        FakeHostAnswer = owner;
        painter.Event(host, GPEVENT_INIT);
        EXPECT_EQ(0xF0F0F0u, ItemBackgroundThrough(owner, list, 0));
        painter.Event(host, GPEVENT_QUIT);
        if (ProcOf(owner) != reinterpret_cast<WNDPROC>(RecordingProc)) {
            ADD_FAILURE() << "a later start and stop did not give the procedure back";
            SetWindowLongPtrA(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
        }
        SetWindowLongPtrA(bystander, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(bystander_proc));
        DestroyWindow(bystander);
        DestroyWindow(owner);
        DestroyWindow(host);
    }
    DestroyWindow(GetParent(list));
    RemoveSettingsFile();
}

TEST(PluginLifecycle, AThousandStartsAndStops) {
    RemoveSettingsFile();
    Painter painter;
    ASSERT_NE(nullptr, painter.record);
    ASSERT_NE(nullptr, PatchImport(painter.module, "USER32.dll", kSetProcedureImport,
                                   reinterpret_cast<void *>(RecordingSetWindowLongPtr)));
    HWND host = CreateFakeHost(), owner = CreateRecorderWindow(), list = CreateHiddenList(2);
    FakeHostAnswer = owner;
    FlushLog();
    const int windows = CountThreadWindows();
    const int kCycles = 1000;
    const LoggedMessage kPrePaintPassedOn = {
        "recorder",   WM_NOTIFY, LOG_CODE | LOG_STAGE, 0, 0, static_cast<UINT>(NM_CUSTOMDRAW),
        CDDS_PREPAINT};
    LoggedMessage item_passed_on = kPrePaintPassedOn;
    item_passed_on.stage = CDDS_ITEMPREPAINT;
    // Each start and each stop asks the host for the list owner; each start puts the painter's
    // procedure in, each stop the original back, on the one window.
    std::vector<LoggedMessage> expected;
    WNDPROC painter_proc = NULL;
    int cycle = 0;
    for (; cycle < kCycles; ++cycle) {
        painter.Event(host, GPEVENT_INIT);
        if (painter_proc == NULL) painter_proc = ProcOf(owner);
        expected.insert(expected.end(), {kListOwnerQuery, ProcedureSet(painter_proc)});
        if (cycle % 100 == 0) {
            EXPECT_EQ(0xF0F0F0u, ItemBackgroundThrough(owner, list, 0)) << cycle;
            expected.insert(expected.end(), {kPrePaintPassedOn, item_passed_on});
        }
        painter.Event(host, GPEVENT_QUIT);
        expected.insert(expected.end(), {kListOwnerQuery, ProcedureSet(RecordingProc)});
        if (ProcOf(owner) != reinterpret_cast<WNDPROC>(RecordingProc)) break;
    }
    EXPECT_EQ(kCycles, cycle) << "the procedure was not given back";
    EXPECT_EQ(kRecorderResult, SendMessageA(owner, WM_USER + 7, 1, 2));
    expected.push_back(kOwnerHearsOneMessage);
    ExpectSequence(expected, "a thousand starts and stops");
    EXPECT_EQ(windows, CountThreadWindows());
    // The painter makes no GDI object at all, so none can be left over: it imports nothing from
    // GDI32. One that starts making some needs its creations and deletions counted here.
    std::vector<std::string> dlls = ImportedDlls(PluginPath("altrowtint.sgp"));
    EXPECT_FALSE(dlls.empty());
    EXPECT_EQ(0, std::count(dlls.begin(), dlls.end(), std::string("GDI32.DLL")))
        << "the painter imports from GDI32: count what it makes and deletes";
    printf("%d starts and stops; windows %d -> %d\n", cycle, windows, CountThreadWindows());
    DestroyWindow(GetParent(list));
    DestroyWindow(owner);
    DestroyWindow(host);
    RemoveSettingsFile();
}

namespace {

// A list owner of another thread of the host, asked for its text's length over and over while
// this thread starts and stops the painter: every answer must come from its own procedure.
struct OtherThreadOwner {
    volatile HWND window;
    volatile LONG stop, asked, lost;
};
DWORD WINAPI AskOwnerOverAndOver(void *argument) {
    OtherThreadOwner *owner = static_cast<OtherThreadOwner *>(argument);
    HWND window = CreateWindowExA(0, "STATIC", "owner", 0, 0, 0, 9, 9, NULL, NULL, NULL, NULL);
    for (owner->window = window; !owner->stop; ++owner->asked) {
        owner->lost += SendMessageA(window, WM_GETTEXTLENGTH, 0, 0) != 5;
    }
    return DestroyWindow(window);
}

}  // namespace

TEST(PluginLifecycle, AnOwnerOnAnotherThreadLosesNoMessageToStartsAndStops) {
    RemoveSettingsFile();
    Painter painter;
    OtherThreadOwner owner = {NULL, 0, 0, 0};
    HANDLE thread = CreateThread(NULL, 0, AskOwnerOverAndOver, &owner, 0, NULL);
    while (owner.window == NULL) Sleep(1);
    HWND host = CreateFakeHost();
    FakeHostAnswer = owner.window;
    for (int cycle = 0; cycle < 1000; ++cycle) {
        painter.Event(host, GPEVENT_INIT);
        painter.Event(host, GPEVENT_QUIT);
    }
    owner.stop = 1;
    WaitForSingleObject(thread, INFINITE);
    EXPECT_EQ(0, owner.lost) << "of " << owner.asked << " messages over 1000 starts and stops";
    CloseHandle(thread);
    DestroyWindow(host);
    RemoveSettingsFile();
}

namespace {

// The colour chooser, scripted: confirms with ChooserColor or cancels. Each call is logged as
// kChooserShown, a message of its own that no window receives.
bool ChooserConfirms;
COLORREF ChooserColor;
const UINT kChooserCall = kProcedureSet + 1;
const LoggedMessage kChooserShown = {"chooser", kChooserCall};
BOOL WINAPI ScriptedChooser(CHOOSECOLORA *chooser) {
    LogCall(kChooserShown.role, kChooserShown.message);
    if (ChooserConfirms) chooser->rgbResult = ChooserColor;
    return ChooserConfirms;
}

}  // namespace

TEST(PluginLifecycle, TwoHundredSettingsPageSessions) {
    RemoveSettingsFile();
    const CPluginRecord *record = nullptr;
    HMODULE module = LoadPagePlugin(&record);
    ASSERT_NE(nullptr, record);
    ASSERT_TRUE(RecordBrushesOf(module));
    ASSERT_NE(nullptr, PatchImport(module, "COMDLG32.dll", "ChooseColorA",
                                   reinterpret_cast<void *>(ScriptedChooser)));
    HWND stand_in = CreateHostMainWindow(true);
    ASSERT_TRUE(RedirectPageHost(module, stand_in));
    HWND page = NULL;
    DestroyWindow(OpenPageSheet(record, &page, false));  // the first sheet sets up for good
    PumpMessages();
    BrushesMade.clear();
    ObjectsDeleted.clear();
    FlushLog();
    const int windows = CountThreadWindows();
    const int kSessions = 200;
    int confirmed = 0, leaky = 0, window_leaks = 0;
    // Each session: the tick tells the frame the page changed, the chooser runs, its answer
    // still leaves the page changed, and the apply's reload reaches the host.
    const LoggedMessage kChanged = {"frame", PSM_CHANGED};
    const LoggedMessage kReload = {"host", WM_HOST_PLUGINNOTIFY, LOG_WPARAM,
                                   PLUGINNOTIFY_RELOADSETTINGS};
    std::vector<LoggedMessage> expected;
    for (int i = 0; i < kSessions; ++i) {
        size_t made_from = BrushesMade.size(), deleted_from = ObjectsDeleted.size();
        HWND sheet = OpenPageSheet(record, &page, false);
        ASSERT_NE(nullptr, page);
        SendDlgItemMessageA(page, kCheckIds[i % 4], BM_CLICK, 0, 0);
        ChooserConfirms = i % 3 != 2;
        ChooserColor = RGB(i, 255 - i, i / 2);
        SendDlgItemMessageA(page, kPickIds[(i + 1) % 4], BM_CLICK, 0, 0);
        confirmed += ChooserConfirms;
        SendMessageA(sheet, PSM_APPLY, 0, 0);
        DestroyWindow(sheet);
        PumpMessages();
        expected.insert(expected.end(), {kChanged, kChooserShown, kChanged, kReload});
        // Every brush of this session deleted exactly once, and nothing else deleted.
        std::vector<HGDIOBJ> made(BrushesMade.begin() + made_from, BrushesMade.end());
        std::vector<HGDIOBJ> deleted(ObjectsDeleted.begin() + deleted_from, ObjectsDeleted.end());
        std::sort(made.begin(), made.end());
        std::sort(deleted.begin(), deleted.end());
        if (made != deleted || made.size() != 4u + ChooserConfirms) {
            if (leaky++ == 0) {
                ADD_FAILURE() << "session " << i << ": " << made.size() << " brushes made, "
                              << deleted.size() << " deletions, not the same handles";
            }
        }
        if (CountThreadWindows() != windows && window_leaks++ == 0) {
            ADD_FAILURE() << "session " << i << " left " << CountThreadWindows() - windows
                          << " windows behind";
        }
    }
    EXPECT_EQ(0, leaky);
    EXPECT_EQ(0, window_leaks);
    ExpectSequence(expected, "two hundred settings page sessions");
    // Over all sessions: as many brushes made as the sessions called for, each deleted once.
    std::vector<HGDIOBJ> made = BrushesMade, deleted = ObjectsDeleted;
    std::sort(made.begin(), made.end());
    std::sort(deleted.begin(), deleted.end());
    EXPECT_EQ(4u * kSessions + confirmed, made.size());
    EXPECT_TRUE(made == deleted) << made.size() << " brushes made, " << deleted.size()
                                 << " deletions";
    printf("%d sessions, %d colours confirmed; %u brushes made, %u deletions; windows %d -> %d\n",
           kSessions, confirmed, (unsigned)BrushesMade.size(), (unsigned)ObjectsDeleted.size(),
           windows, CountThreadWindows());
    DestroyWindow(stand_in);
    FreeLibrary(module);
    RemoveSettingsFile();
}
