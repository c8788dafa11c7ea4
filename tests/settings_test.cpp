// The settings file beside the host executable: defaults, both number forms, partial files,
// other content surviving a save, and paths that do not fit.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "settings.h"
#include "settings_checks.h"
#include "test_support.h"

namespace {

RowColorSettings Filled(UINT value) {
    RowColorSettings s;
    s.TextColor1Enable = s.TextColor2Enable = s.TextBkColor1Enable = s.TextBkColor2Enable =
        (int)value;
    s.TextColor1 = s.TextColor2 = s.TextBkColor1 = s.TextBkColor2 = value;
    return s;
}

}  // namespace

TEST(SettingsFile, LivesBesideTheHostExecutable) {
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(GetSettingsPath(path));
    EXPECT_EQ(Widen(SettingsFile()), path);
}

TEST(SettingsFile, NoFileGivesDefaultsAndTheFirstSaveWritesTheDefaultBlock) {
    RemoveSettingsFile();
    RowColorSettings s = Filled(0xABABAB);
    LoadSettings(&s);
    EXPECT_TRUE(SameSettings(kDefaultSettings, s)) << Describe(s);
    EXPECT_FALSE(FileExists(SettingsFile()));  // loading never creates the file

    SaveSettings(&s);
    EXPECT_EQ(kDefaultSettingsText, ReadSettingsText());
    SaveSettings(&s);  // saving twice leaves the same file
    EXPECT_EQ(kDefaultSettingsText, ReadSettingsText());
}

TEST(SettingsFile, ReadsHexAndDecimalAndKeepsDefaultsForMissingKeys) {
    WriteSettingsFile(
        "[setting]\nTextColor1=0x0000FF\nTextColor2=255\nTextBkColor2Enable=2\n"
        "TextBkColor1=16711680\n");
    RowColorSettings s = Filled(7);
    LoadSettings(&s);
    EXPECT_EQ(255u, s.TextColor1);
    EXPECT_EQ(255u, s.TextColor2);
    EXPECT_EQ(2, s.TextBkColor2Enable);
    EXPECT_EQ(0xFF0000u, s.TextBkColor1);
    EXPECT_EQ(0, s.TextColor1Enable);  // missing: defaults
    EXPECT_EQ(1, s.TextBkColor1Enable);
    EXPECT_EQ(0xE0E0E0u, s.TextBkColor2);
}

TEST(SettingsFile, SaveKeepsOtherSectionsAndKeysAndWritesEveryValueInItsForm) {
    WriteSettingsFile("[other]\nName=kept\n[setting]\nComment=mine\nTextColor2=5\n");
    RowColorSettings s = {2, 0x0000FF, -1, 0x1234567, 0, 0xFFFFFFFF, 1, 0xABCDEF};
    SaveSettings(&s);
    std::string text = ReadSettingsText();
    EXPECT_NE(std::string::npos, text.find("[other]\nName=kept\n"));
    EXPECT_NE(std::string::npos, text.find("Comment=mine\n"));
    for (const char *line :
         {"TextColor1Enable=2\n", "TextColor1=0x0000FF\n", "TextColor2Enable=-1\n",
          "TextColor2=0x1234567\n", "TextBkColor1Enable=0\n", "TextBkColor1=0xFFFFFFFF\n",
          "TextBkColor2Enable=1\n", "TextBkColor2=0xABCDEF\n"}) {
        EXPECT_NE(std::string::npos, text.find(line)) << line << " in\n" << text;
    }
    EXPECT_EQ(text.find("TextColor2=5"), std::string::npos);  // replaced, not duplicated

    RowColorSettings back = Filled(0);
    LoadSettings(&back);
    EXPECT_EQ(0x1234567u, back.TextColor2);  // the extra digits come back
    EXPECT_EQ(0xFFFFFFFFu, back.TextBkColor1);
    EXPECT_EQ(2, back.TextColor1Enable);
}

// Editors on Windows may save the file with a UTF-8 signature, which the platform's profile
// functions read as part of "[setting]": loads read past it, a save takes off just those bytes.
TEST(SettingsFile, AUtf8SignatureIsReadPastAndTakenOffBySaving) {
    const std::string kSignature = "\xEF\xBB\xBF";
    const std::string body = "[setting]\r\nTextColor1Enable=1\r\nTextBkColor1=0x0000FF\r\n";
    WriteFileBytes(SettingsFile(), kSignature + body);
    RowColorSettings s = Filled(7);
    LoadSettings(&s);
    EXPECT_EQ(1, s.TextColor1Enable);
    EXPECT_EQ(0xFFu, s.TextBkColor1);
    EXPECT_EQ(kSignature + body, ReadFileBytes(SettingsFile()));

    RemoveSettingsFile();
    WriteFileBytes(SettingsFile(), kSignature + body);
    SaveSettings(&s);
    std::string text = ReadSettingsText();
    EXPECT_EQ(0u, text.find("[setting]\nTextColor1Enable=1\n")) << text;
    EXPECT_EQ(text.find("[setting]"), text.rfind("[setting]")) << "one section";
    EXPECT_NE(std::string::npos, text.find("TextBkColor1=0x0000FF\n"));
}

TEST(SettingsFile, GarbledValuesFallBackKeyByKey) {
    WriteSettingsFile(
        "\x01\x02garbage\n[setting]\nTextColor1=zzz\nTextBkColor1Enable\n"
        "TextBkColor2=0x00FF00\n");
    RowColorSettings s = Filled(9);
    LoadSettings(&s);
    EXPECT_EQ(0xFF00u, s.TextBkColor2);  // the readable key still counts
    EXPECT_EQ(1, s.TextBkColor1Enable);  // a key without "=" is no key
    EXPECT_EQ(0, s.TextColor2Enable);
}

// A host deep enough that its settings file name cannot be formed: nothing is read or written.
namespace {

const DWORD kProbeTimeoutMs = 30000;

// Appends what the pipe holds now, without waiting for more.
void TakeFromPipe(HANDLE pipe, std::string *output) {
    char buffer[512];
    DWORD available = 0, got = 0;
    while (PeekNamedPipe(pipe, NULL, 0, NULL, &available, NULL) && available > 0 &&
           ReadFile(pipe, buffer, sizeof buffer, &got, NULL) && got > 0) {
        output->append(buffer, got);
    }
}

// The probe's output, read while it runs, so that a probe that writes more than the pipe holds
// still ends; a probe that does not end in time is ended and said to hang, so that a hang fails
// the case instead of holding it until the runner's time limit.
std::string RunProbe(const std::wstring &exe, const std::string &arguments) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE read_end, write_end;
    CreatePipe(&read_end, &write_end, &inherit, 0);
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION process = {};
    bool started = StartChildProcess(exe, arguments, NULL, write_end, write_end, &process);
    CloseHandle(write_end);  // the child's copy alone keeps the pipe open
    std::string output = started ? "" : "[the probe did not start]\n";
    const DWORD kPollMs = 10, deadline = GetTickCount() + kProbeTimeoutMs;
    for (bool ended = !started; !ended;) {
        ended = WaitForSingleObject(process.hProcess, kPollMs) == WAIT_OBJECT_0;
        TakeFromPipe(read_end, &output);
        if (!ended && static_cast<LONG>(GetTickCount() - deadline) > 0) {
            TerminateProcess(process.hProcess, 1);
            output += "[the probe hung]\n";
            ended = true;
        }
    }
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(read_end);
    return WithoutCarriageReturns(output);
}

// Makes nested folders under the test folder until the folder's path is `length` long.
std::string DeepFolder(size_t length) {
    std::string dir = ExeDir() + "\\deep";
    CreateDirectoryA(dir.c_str(), NULL);
    while (dir.size() < length) {
        size_t part = std::min<size_t>(40, length - dir.size() - 1);
        if (part == 0) break;
        dir += "\\" + std::string(part, 'd');
        CreateDirectoryA(dir.c_str(), NULL);
    }
    return dir;
}

}  // namespace

TEST(SettingsFile, APathThatDoesNotFitUsesNoFileAtAll) {
    // The probe's own name fits in MAX_PATH, but "<dir>\altrowtint.ini" does not.
    std::string dir = DeepFolder(MAX_PATH - 10);
    std::string probe = dir + "\\p.exe";
    ASSERT_LT(probe.size(), (size_t)MAX_PATH);
    ASSERT_TRUE(CopyFileA((ExeDir() + "\\..\\settings_probe.exe").c_str(), probe.c_str(), FALSE));
    // A file at the name a cut-off path would give must be neither read nor overwritten.
    std::string cut = (dir + "\\altrowtint.ini").substr(0, MAX_PATH - 1);
    WriteFileBytes(cut, "[setting]\r\nTextBkColor1=0x123456\r\n");

    std::string output = RunProbe(Widen(probe), "save");
    EXPECT_NE(std::string::npos, output.find("saved=0\npath=0 \n")) << output;
    EXPECT_NE(std::string::npos, output.find("0 0 0 0 1 F0F0F0 0 E0E0E0")) << output;
    EXPECT_EQ("[setting]\r\nTextBkColor1=0x123456\r\n", ReadFileBytes(cut));
    EXPECT_FALSE(FileExists(dir + "\\altrowtint.ini"));

    // Just short enough: the same probe one level up uses its file as usual.
    std::string parent = dir.substr(0, dir.find_last_of('\\'));
    std::string near_probe = parent + "\\p.exe";
    ASSERT_TRUE(CopyFileA(probe.c_str(), near_probe.c_str(), FALSE));
    output = RunProbe(Widen(near_probe), "save");
    EXPECT_NE(std::string::npos, output.find("saved=1\npath=1 ")) << output;
    EXPECT_TRUE(FileExists(parent + "\\altrowtint.ini"));
}

// A host in a folder whose name the ANSI code page cannot spell: the plug-ins still meet at the
// file in that folder, at the start, at an apply and at the stop.
TEST(SettingsFile, AHostFolderNamedOutsideTheCodePageHoldsTheFile) {
    const std::wstring dir =
        Widen(ExeDir()) +
        L"\\\u30db\u30b9\u30c8_\ud638\uc2a4\ud2b8_\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac";
    CreateDirectoryW(dir.c_str(), NULL);
    ASSERT_TRUE(CopyFileW(Widen(ExeDir() + "\\..\\settings_probe.exe").c_str(),
                          (dir + L"\\host.exe").c_str(), FALSE));
    std::string text = kDefaultSettingsText;
    text.replace(text.find("TextBkColor1=0xF0F0F0"), 21, "TextBkColor1=0x123456");
    WriteFileBytes(dir + L"\\altrowtint.ini", text);

    std::string output = RunProbe(dir + L"\\host.exe", "plugins " + ExeDir() + "\\..\\..\\plugin");
    EXPECT_NE(std::string::npos, output.find("started with 123456\napplied=1\n")) << output;
    text.replace(text.find("TextColor1Enable=0"), 18, "TextColor1Enable=1");
    EXPECT_EQ(text, WithoutCarriageReturns(ReadFileBytes(dir + L"\\altrowtint.ini")));
}
