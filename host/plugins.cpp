#include "plugins.h"

#include <shlwapi.h>

#include "console_output.h"
#include "text_buffer.h"
#include "host_contract.h"

namespace {

enum { MAX_PLUGINS = 32 };
enum { PATTERN_ROOM = 8 };  // a search pattern's "\*.sgp" and its terminator
const char kPluginFolderName[] = "plugin";
const char kListSeparator[] = ", ";

struct PluginKind {
    const char *extension;
    const char *export_name;
    BOOL general;
};
// General plug-ins load first, so that they are running before any settings page exists.
const PluginKind kPluginKinds[] = {
    {GENERAL_PLUGIN_EXTENSION, GENERAL_PLUGIN_EXPORT, TRUE},
    {CONFIG_PLUGIN_EXTENSION, CONFIG_PLUGIN_EXPORT, FALSE},
};

struct Plugin {
    HMODULE module;
    char file_name[MAX_PATH];
    const GPluginRecord *general;  // exactly one of the two records is set
    const CPluginRecord *config;
    BOOL started;
};

Plugin Plugins[MAX_PLUGINS];
int PluginCount;

BOOL GetPluginFolder(char *folder) {
    DWORD length = GetModuleFileNameA(NULL, folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return FALSE;
    PathRemoveFileSpecA(folder);
    return PathAppendA(folder, kPluginFolderName);
}

// FindFirstFile's "*.sgp" also matches "x.sgpx" through its short 8.3 alias; only the exact
// extension counts.
BOOL HasExtension(const char *file_name, const char *extension) {
    int name_length = lstrlenA(file_name);
    int extension_length = lstrlenA(extension);
    return name_length > extension_length &&
           lstrcmpiA(file_name + name_length - extension_length, extension) == 0;
}

// Returns the module's record, or NULL after reporting why the module is skipped.
const void *QueryRecord(HMODULE module, const char *file_name, const PluginKind &kind) {
    FARPROC entry = GetProcAddress(module, kind.export_name);
    if (entry == NULL) {
        ReportProblem("%s skipped: it has no %s export", file_name, kind.export_name);
        return NULL;
    }
    typedef const void *(*GetRecordProc)(void);
    typedef void (*AnyProc)(void);  // the neutral type through which function pointers convert
    const void *record = reinterpret_cast<GetRecordProc>(reinterpret_cast<AnyProc>(entry))();
    if (record == NULL) ReportProblem("%s skipped: %s gave no record", file_name, kind.export_name);
    return record;
}

// A configuration plug-in whose probe answers 0 declines to run in this host.
BOOL ProbeAccepts(const CPluginRecord *record, const char *file_name) {
    if (record->probe == NULL || record->probe() != 0) return TRUE;
    ReportProblem("%s skipped: its probe declined", file_name);
    return FALSE;
}

void LoadPlugin(const char *folder, const char *file_name, const PluginKind &kind) {
    if (PluginCount == MAX_PLUGINS) {
        ReportProblem("%s skipped: no more than %d plug-ins are loaded", file_name, MAX_PLUGINS);
        return;
    }
    char path[MAX_PATH];
    lstrcpynA(path, folder, MAX_PATH);
    if (!PathAppendA(path, file_name)) {
        ReportProblem("%s skipped: its path is too long", file_name);
        return;
    }
    // The altered search path lets a plug-in find DLLs of its own in its folder.
    HMODULE module = LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == NULL) {
        ReportProblem("%s skipped: not a loadable 32-bit module (error %lu)", file_name,
                      GetLastError());
        return;
    }
    const void *record = QueryRecord(module, file_name, kind);
    if (record != NULL && !kind.general &&
        !ProbeAccepts(static_cast<const CPluginRecord *>(record), file_name)) {
        record = NULL;
    }
    if (record == NULL) {
        FreeLibrary(module);
        return;
    }
    Plugin &plugin = Plugins[PluginCount++];
    ZeroMemory(&plugin, sizeof plugin);
    plugin.module = module;
    lstrcpynA(plugin.file_name, file_name, MAX_PATH);
    if (kind.general)
        plugin.general = static_cast<const GPluginRecord *>(record);
    else
        plugin.config = static_cast<const CPluginRecord *>(record);
}

enum { MAX_FILES_PER_KIND = MAX_PLUGINS * 2 };
char FoundNames[MAX_FILES_PER_KIND][MAX_PATH];  // scratch space of LoadPlugins

// The folder's modules of one kind, sorted by name so that the load order is the same on
// every file system. Returns how many names were found.
int ListModules(const char *folder, const PluginKind &kind, char (*names)[MAX_PATH], int capacity) {
    char pattern[MAX_PATH];
    wsprintfA(pattern, "%s\\*%s", folder, kind.extension);  // LoadPlugins left PATTERN_ROOM
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        if (!HasExtension(found.cFileName, kind.extension) || count == capacity) continue;
        int at = count++;
        while (at > 0 && lstrcmpiA(names[at - 1], found.cFileName) > 0) {
            lstrcpyA(names[at], names[at - 1]);
            --at;
        }
        lstrcpyA(names[at], found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

}  // namespace

void LoadPlugins(void) {
    char folder[MAX_PATH];
    if (!GetPluginFolder(folder) || lstrlenA(folder) > MAX_PATH - PATTERN_ROOM) {
        ReportProblem("the plugin folder's path is too long: running without plug-ins");
        return;
    }
    if (!PathIsDirectoryA(folder)) {
        ReportProblem("no plugin folder (%s): running without plug-ins", folder);
        return;
    }
    int found = 0;
    for (const PluginKind &kind : kPluginKinds) {
        int count = ListModules(folder, kind, FoundNames, MAX_FILES_PER_KIND);
        for (int i = 0; i < count; ++i) LoadPlugin(folder, FoundNames[i], kind);
        found += count;
    }
    if (found == 0) ReportProblem("the plugin folder %s holds no *.sgp or *.scp module", folder);
}

void UnloadPlugins(void) {
    while (PluginCount > 0) FreeLibrary(Plugins[--PluginCount].module);
}

void StartGeneralPlugins(HWND host_window) {
    for (int i = 0; i < PluginCount; ++i) {
        const GPluginRecord *record = Plugins[i].general;
        if (record == NULL || record->event_callback == NULL) continue;
        record->event_callback(host_window, GPEVENT_INIT);
        Plugins[i].started = TRUE;
    }
}

void StopGeneralPlugins(HWND host_window) {
    // Reverse order: a plug-in that subclassed a window after another one unhooks first.
    for (int i = PluginCount - 1; i >= 0; --i) {
        if (!Plugins[i].started) continue;
        Plugins[i].started = FALSE;
        Plugins[i].general->event_callback(host_window, GPEVENT_QUIT);
    }
}

void PassToMessageHooks(MSG *msg) {
    for (int i = 0; i < PluginCount; ++i) {
        const GPluginRecord *record = Plugins[i].general;
        if (record != NULL && record->message_hook != NULL) record->message_hook(msg);
    }
}

int CollectSettingsPages(HPROPSHEETPAGE *pages, int capacity, char *paths, int paths_capacity) {
    paths[0] = '\0';
    int count = 0;
    for (int i = 0; i < PluginCount && count < capacity; ++i) {
        const CPluginRecord *record = Plugins[i].config;
        if (record == NULL || record->page_callback == NULL) continue;
        char path[MAX_PATH] = "";
        HPROPSHEETPAGE page =
            record->page_callback(SETTINGS_PAGE_INDEX, SETTINGS_PAGE_KIND, path, MAX_PATH);
        path[MAX_PATH - 1] = '\0';  // whatever the plug-in wrote, the host reads a string
        if (page == NULL) {
            ReportProblem("%s gave no settings page", Plugins[i].file_name);
            continue;
        }
        pages[count++] = page;
        AppendListItem(paths, paths_capacity, kListSeparator, path);
    }
    return count;
}

void DescribeLoadedPlugins(char *text, int capacity) {
    text[0] = '\0';
    for (int i = 0; i < PluginCount; ++i) {
        AppendListItem(text, capacity, kListSeparator, Plugins[i].file_name);
    }
    if (PluginCount == 0) AppendText(text, capacity, "none");
}
