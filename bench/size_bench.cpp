// Sizes of the built plug-ins, as they ship (the build strips them).
#include <stdio.h>
#include <string.h>

#include "figures.h"

namespace {

const double kSizeLimit = 32 * 1024;
// The benchmark runs from <build>/bench; the plug-ins are in <build>/plugin.
const char kPluginFolder[] = "..\\plugin\\";

BOOL FileSize(const char *path, double *bytes) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return FALSE;
    *bytes = static_cast<double>(data.nFileSizeLow) + 4294967296.0 * data.nFileSizeHigh;
    return TRUE;
}

BOOL MeasureOne(Report *report, const char *key, const char *file_name) {
    char relative[MAX_PATH], path[MAX_PATH] = "";
    sprintf(relative, "%s%s", kPluginFolder, file_name);  // both are short constants
    Figure figure = {key, file_name, "32 KiB", FORM_SIZE, {}, kSizeLimit, GOAL_GATE};
    if (!PathBesideBenchmark(path, relative) || !FileSize(path, &figure.summary.ours)) return FALSE;
    AddFigure(report, figure);
    return TRUE;
}

}  // namespace

BOOL PathBesideBenchmark(char *path, const char *relative) {
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return FALSE;
    char *last = strrchr(path, '\\');
    if (last == NULL) return FALSE;
    size_t room = MAX_PATH - static_cast<size_t>(last + 1 - path);
    if (strlen(relative) >= room) return FALSE;
    strcpy(last + 1, relative);
    return TRUE;
}

BOOL MeasureSizes(Report *report) {
    BOOL painter = MeasureOne(report, "size_painter", "altrowtint.sgp");
    BOOL page = MeasureOne(report, "size_page", "altrowtint.scp");
    return painter && page;
}
