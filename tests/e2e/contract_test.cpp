// The host's side of the plug-in contract, seen by a probe plug-in that writes down what it
// gets: start and stop with the main window, the list's owner, and the messages its hook sees.
#include <gtest/gtest.h>

#include "host_contract.h"
#include "host_runner.h"
#include "test_support.h"

namespace {

std::string ProbeLog(const std::string &folder) {
    return ReadText(folder + "\\contract_probe.log");
}

bool ProbeLogged(const std::string &folder, const std::string &line) {
    return WaitUntil([&] { return ProbeLog(folder).find(line + "\n") != std::string::npos; });
}

// A fresh host folder whose plugin folder also holds the probe.
std::string FolderWithProbe() {
    std::string folder = FreshHostFolder();
    EXPECT_TRUE(CopyFileA(FixturePath("contract_probe.sgp").c_str(),
                          (folder + "\\plugin\\contract_probe.sgp").c_str(), FALSE));
    return folder;
}

TEST(HostContract, GeneralPluginIsStartedStoppedAndSeesEveryQueuedMessage) {
    std::string folder = FolderWithProbe();
    RunningHost host;
    ASSERT_TRUE(host.Start(folder));

    // A notification the host itself ignores still reaches the hooks.
    PostMessageA(host.window(), WM_HOST_PLUGINNOTIFY, 7, 0);
    ASSERT_TRUE(ProbeLogged(folder, "hook notify wparam=7 lparam=0")) << ProbeLog(folder);

    // So does one posted while the colour chooser's own modal loop runs.
    HWND sheet = host.OpenSettingsDialog();
    ASSERT_NE(nullptr, sheet);
    PostMessageA(GetDlgItem(CurrentPage(sheet), IDC_BK2_PICK), BM_CLICK, 0, 0);
    HWND chooser = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (chooser = FindColorChooser(host.process_id())) != NULL; }));
    PostMessageA(host.window(), WM_HOST_PLUGINNOTIFY, 8, 0);
    EXPECT_TRUE(ProbeLogged(folder, "hook notify wparam=8 lparam=0")) << ProbeLog(folder);
    ClickButton(chooser, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }));

    // OK applies the page, whose notification the host hands on.
    ClickButton(sheet, IDOK);
    EXPECT_TRUE(ProbeLogged(folder, "hook notify wparam=102 lparam=0")) << ProbeLog(folder);
    EXPECT_EQ(0u, host.Quit());

    EXPECT_EQ("init class=" HOST_WINDOW_CLASS
              " owns_list=1 other_query=0\n"
              "hook notify wparam=7 lparam=0\n"
              "hook notify wparam=8 lparam=0\n"
              "hook notify wparam=102 lparam=0\n"
              "quit alive=1 same_owner=1\n"
              "detach by_freelibrary=0\n",
              ProbeLog(folder));
}

// Two instances of the host: an apply reaches the main windows of both, whichever lies above.
TEST(HostContract, EveryHostInstanceHearsTheReload) {
    std::string folder = FolderWithProbe();
    RunningHost other;
    ASSERT_TRUE(other.Start(folder));
    HWND own = CreateHostMainWindow();
    const CPluginRecord *record = nullptr;
    HMODULE module = LoadPagePlugin(&record);
    ASSERT_NE(nullptr, record);
    HWND page = NULL, sheet = OpenPageSheet(record, &page, false);
    ASSERT_NE(nullptr, sheet);
    FlushLog();
    EXPECT_TRUE(SendMessageA(sheet, PSM_APPLY, 0, 0));
    PumpMessages();
    EXPECT_TRUE(ProbeLogged(folder, "hook notify wparam=102 lparam=0")) << ProbeLog(folder);
    ExpectSequence(
        {{"host", WM_HOST_PLUGINNOTIFY, LOG_WPARAM | LOG_LPARAM, PLUGINNOTIFY_RELOADSETTINGS, 0}},
        "this program's host window");
    DestroyWindow(sheet);
    FreeLibrary(module);
    DestroyWindow(own);
    EXPECT_EQ(0u, other.Quit());
}

// More general plug-ins than a fixed table of modules would hold: each copy of the probe is
// loaded in name order, started, stopped in reverse and kept to the process's end, and the real
// ones still run.
TEST(HostContract, EveryModuleOfAFullPluginFolderIsLoaded) {
    const int kProbes = 70;
    std::string folder = FreshHostFolder();
    std::string source = FixturePath("contract_probe.sgp");
    for (int i = 0; i < kProbes; ++i) {
        char name[32];
        wsprintfA(name, "\\plugin\\probe%02d.sgp", i);
        ASSERT_TRUE(CopyFileA(source.c_str(), (folder + name).c_str(), FALSE));
    }
    RunningHost host;
    ASSERT_TRUE(host.Start(folder));
    std::string status = host.StatusText();
    EXPECT_NE(std::string::npos,
              status.find("Plug-ins: altrowtint.sgp, probe00.sgp, probe01.sgp, probe02.sgp"))
        << status;
    EXPECT_NE(std::string::npos, status.find("probe68.sgp, probe69.sgp, altrowtint.scp")) << status;
    EXPECT_EQ(kLightGrey, host.Row(0));
    EXPECT_NE(nullptr, host.OpenSettingsDialog());
    EXPECT_EQ(0u, host.Quit());

    std::string expected;
    for (const char *line : {"init class=" HOST_WINDOW_CLASS " owns_list=1 other_query=0\n",
                             "quit alive=1 same_owner=1\n", "detach by_freelibrary=0\n"}) {
        for (int i = 0; i < kProbes; ++i) expected += line;
    }
    EXPECT_EQ(expected, ProbeLog(folder));
}

}  // namespace
