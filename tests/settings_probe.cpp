// Loads or saves the settings as a host would, from wherever this program was copied to, and
// prints what it loaded: lets tests put a "host" into folders of any depth.
#include <stdio.h>
#include <string.h>

#include "settings.h"

int main(int argc, char **argv) {
    RowColorSettings settings;
    LoadSettings(&settings);
    if (argc > 1 && strcmp(argv[1], "save") == 0) SaveSettings(&settings);
    char path[MAX_PATH];
    BOOL have_path = GetSettingsPath(path);
    printf("path=%d %s\n", have_path, path);
    printf("%d %lX %d %lX %d %lX %d %lX\n", settings.TextColor1Enable, settings.TextColor1,
           settings.TextColor2Enable, settings.TextColor2, settings.TextBkColor1Enable,
           settings.TextBkColor1, settings.TextBkColor2Enable, settings.TextBkColor2);
    return 0;
}
