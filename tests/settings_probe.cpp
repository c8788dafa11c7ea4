// Loads or saves the settings as a host would, from wherever this program was copied to, and
// prints what it loaded: lets tests put a "host" into folders of any depth or name.
// "plugins FOLDER [BOX N]" runs the built plug-ins of FOLDER as a host does instead: the
// painter's start, N applies (1 unless given) of the page, each after a click on its box BOX (0
// to 3, the first unless given), the painter's stop; it ends with 0 when every apply was taken.
// "save N" goes on N - 1 times: a load, a save with a colour's last bit turned over, and a save
// as loaded.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "settings.h"
#include "test_support.h"

namespace {

int RunPlugins(const std::string &folder, int box, int times) {
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
    int applied = 0;
    for (int i = 0; i < times; ++i) {
        SendDlgItemMessageA(page, kCheckIds[box], BM_CLICK, 0, 0);
        applied += SendMessageA(sheet, PSM_APPLY, 0, 0) != 0;
    }
    printf("applied=%d\n", applied);
    DestroyWindow(sheet);
    painter->event_callback(host, GPEVENT_QUIT);
    DestroyWindow(GetParent(list));
    DestroyWindow(host);
    FreeLibrary(page_module);
    FreeLibrary(painter_module);
    return applied == times ? 0 : 1;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc > 2 && strcmp(argv[1], "plugins") == 0) {
        return RunPlugins(argv[2], argc > 4 ? atoi(argv[3]) : 0, argc > 4 ? atoi(argv[4]) : 1);
    }
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
