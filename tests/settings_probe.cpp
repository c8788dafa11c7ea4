// Loads or saves the settings as a host would, from wherever this program was copied to, and
// prints what it loaded: lets tests put a "host" into folders of any depth or name.
// "plugins FOLDER" runs the built plug-ins of FOLDER as a host does instead: the painter's
// start, an apply of the page with its first box ticked, the painter's stop. "save N" goes on
// N - 1 times: a load, a save with a colour's last bit turned over, and a save as loaded.
// "apply BOX N" is another host instance's user: on one page of the built plug-in, N times,
// ticks or unticks the page's box BOX (0 to 3) and applies.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "settings.h"
#include "test_support.h"

namespace {

int RunPlugins(const std::string &folder) {
    const GPluginRecord *painter = nullptr;
    const CPluginRecord *page_record = nullptr;
    HMODULE painter_module = LoadPainterPlugin(&painter, folder + "\\altrowtint.sgp");
    HMODULE page_module = LoadPagePlugin(&page_record, folder + "\\altrowtint.scp");
    if (painter == nullptr || page_record == nullptr) return 1;
    RedirectPageHost(page_module, NULL);  // host windows of other programs are not this host's
    HWND host = CreateFakeHost(), list = CreateReportList(2, WC_LISTVIEWA, false);
    FakeHostAnswer = GetParent(list);
    painter->event_callback(host, GPEVENT_INIT);
    printf("started with %06lX\n", ItemBackgroundThrough(FakeHostAnswer, list, 0));
    HWND page = NULL, sheet = OpenPageSheet(page_record, &page, false);
    SendDlgItemMessageA(page, IDC_TEXT1_ENABLE, BM_CLICK, 0, 0);
    printf("applied=%d\n", static_cast<int>(SendMessageA(sheet, PSM_APPLY, 0, 0)));
    DestroyWindow(sheet);
    painter->event_callback(host, GPEVENT_QUIT);
    DestroyWindow(GetParent(list));
    DestroyWindow(host);
    FreeLibrary(page_module);
    FreeLibrary(painter_module);
    return 0;
}

int ApplyRepeatedly(int box, int times) {
    const CPluginRecord *record = nullptr;
    HMODULE module = LoadPagePlugin(&record);
    if (record == nullptr) return 1;
    RedirectPageHost(module, NULL);
    HWND page = NULL, sheet = OpenPageSheet(record, &page, false);
    int failed = 0;
    for (int i = 0; i < times; ++i) {
        SendDlgItemMessageA(page, kCheckIds[box], BM_CLICK, 0, 0);
        failed += SendMessageA(sheet, PSM_APPLY, 0, 0) == 0;
    }
    DestroyWindow(sheet);
    FreeLibrary(module);
    return failed != 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc > 2 && strcmp(argv[1], "plugins") == 0) return RunPlugins(argv[2]);
    if (argc > 3 && strcmp(argv[1], "apply") == 0)
        return ApplyRepeatedly(atoi(argv[2]), atoi(argv[3]));
    RowColorSettings settings;
    LoadSettings(&settings);
    if (argc > 1 && strcmp(argv[1], "save") == 0) printf("saved=%d\n", SaveSettings(&settings));
    for (int more = argc > 2 ? atoi(argv[2]) - 1 : 0; more > 0; --more) {
        LoadSettings(&settings);
        settings.TextBkColor1 ^= 1;
        SaveSettings(&settings);
        settings.TextBkColor1 ^= 1;
        SaveSettings(&settings);
    }
    wchar_t path[MAX_PATH];
    BOOL have_path = GetSettingsPath(path);
    printf("path=%d %s\n", have_path, Utf8(path).c_str());
    printf("%d %lX %d %lX %d %lX %d %lX\n", settings.TextColor1Enable, settings.TextColor1,
           settings.TextColor2Enable, settings.TextColor2, settings.TextBkColor1Enable,
           settings.TextBkColor1, settings.TextBkColor2Enable, settings.TextBkColor2);
    return 0;
}
