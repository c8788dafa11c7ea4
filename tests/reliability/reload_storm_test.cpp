// Ten thousand reload notifications through the painter's message hook while the settings file
// keeps changing and a real list paints now and then: the rows it paints follow the file.
#include <gtest/gtest.h>

#include <stdio.h>

#include "settings_checks.h"
#include "test_support.h"

TEST(ReloadStorm, TenThousandReloadsBetweenRepaints) {
    RemoveSettingsFile();
    const GPluginRecord *record = nullptr;
    HMODULE module = LoadPainterPlugin(&record);
    ASSERT_NE(nullptr, record);
    HWND list = CreateReportList(4, WC_LISTVIEWA, false), frame = GetParent(list);
    HWND host = CreateFakeHost();
    const COLORREF plain[2] = {PrintedRowBackground(list, 0), PrintedRowBackground(list, 1)};
    FakeHostAnswer = frame;
    record->event_callback(host, GPEVENT_INIT);

    const uint64_t seed = SeedFromEnvironment(0x5708A);
    Random random(seed);
    RowColorSettings file = kDefaultSettings;
    MSG reload = {host, WM_HOST_PLUGINNOTIFY, PLUGINNOTIFY_RELOADSETTINGS, 0, 0, {0, 0}};
    const int kReloads = 10000, kWriteEvery = 25, kRepaintEvery = 100;
    int writes = 0, repaints = 0, mismatches = 0;
    for (int i = 1; i <= kReloads + 1; ++i) {
        if (i % kWriteEvery == 1 || i == kReloads + 1) {
            // Any flag value, any colour; the two backgrounds are what the screen shows.
            static const int kFlags[] = {0, 0, 1, 2, -1};
            SettingValues v;
            for (int k = 0; k < 8; ++k) {
                v.v[k] = k % 2 == 0 ? kFlags[random.Below(5)] : random.Next() & 0xFFFFFF;
            }
            file = SettingsOf(v);
            char text[512];
            snprintf(text, sizeof text,
                     "[setting]\r\nTextColor1Enable=%d\r\nTextColor1=%u\r\nTextColor2Enable=%d\r\n"
                     "TextColor2=0x%X\r\nTextBkColor1Enable=%d\r\nTextBkColor1=0x%06X\r\n"
                     "TextBkColor2Enable=%d\r\nTextBkColor2=%u\r\n",
                     file.TextColor1Enable, (unsigned)file.TextColor1, file.TextColor2Enable,
                     (unsigned)file.TextColor2, file.TextBkColor1Enable,
                     (unsigned)file.TextBkColor1, file.TextBkColor2Enable,
                     (unsigned)file.TextBkColor2);
            PutSettingsBytes(text);
            ++writes;
        }
        record->message_hook(&reload);
        if (i % kRepaintEvery != 0 && i != kReloads + 1) continue;
        ++repaints;
        const COLORREF want[2] = {file.TextBkColor1Enable ? file.TextBkColor1 : plain[0],
                                  file.TextBkColor2Enable ? file.TextBkColor2 : plain[1]};
        for (int row = 0; row < 2; ++row) {
            COLORREF shown = PrintedRowBackground(list, row);  // the list paints it afresh
            if (shown != want[row] && mismatches++ < 3) {
                ADD_FAILURE() << "after reload " << i << ", row " << row << " shows " << std::hex
                              << shown << " for " << want[row] << " (" << Describe(file) << ")";
            }
        }
    }
    EXPECT_EQ(0, mismatches);
    record->event_callback(host, GPEVENT_QUIT);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(DefWindowProcA), ProcOf(frame));
    printf("seed %llu: %d reloads, %d files written, %d repaints checked (rows 0 and 1)\n",
           (unsigned long long)seed, kReloads + 1, writes, repaints);
    DestroyWindow(frame);
    DestroyWindow(host);
    FreeLibrary(module);
    RemoveSettingsFile();
}
