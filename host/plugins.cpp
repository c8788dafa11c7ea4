#include "plugins.h"

#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console_output.h"
#include "text_format.h"
#include "host_contract.h"

namespace {

enum { PATTERN_ROOM = 8 };  // a search pattern's "\*.sgp" and its terminator
const char kPluginFolderName[] = "plugin";
const char kListSeparator[] = ", ";

struct PluginKind {
    const char *extension;
    const char *export_name;
    bool general;
};
// General plug-ins load first, so that they are running before any settings page exists.
const PluginKind kPluginKinds[] = {
    {GENERAL_PLUGIN_EXTENSION, GENERAL_PLUGIN_EXPORT, true},
    {CONFIG_PLUGIN_EXTENSION, CONFIG_PLUGIN_EXPORT, false},
};

struct Plugin {
    HMODULE module;
    std::string file_name;
    const GPluginRecord *general;  // exactly one of the two records is set
    const CPluginRecord *config;
    bool started;
};

std::vector<Plugin> Plugins;  // in load order

// The folder "plugin" beside the executable; "" when the executable's path is unknown.
std::string PluginFolder(void) {
    std::string path(MAX_PATH, '\0');
    DWORD length;
    while ((length = GetModuleFileNameA(NULL, &path[0], static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);  // cut off: ask again with more room
    }
    path.resize(length);
    size_t name = path.find_last_of('\\');
    if (name == std::string::npos) return std::string();
    return path.substr(0, name + 1) + kPluginFolderName;
}

// FindFirstFile's "*.sgp" also matches "x.sgpx" through its short 8.3 alias; only the exact
// extension counts.
bool HasExtension(const std::string &file_name, const char *extension) {
    size_t extension_length = lstrlenA(extension);
    return file_name.size() > extension_length &&
           lstrcmpiA(file_name.c_str() + file_name.size() - extension_length, extension) == 0;
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
bool ProbeAccepts(const CPluginRecord *record, const char *file_name) {
    if (record->probe == NULL || record->probe() != 0) return true;
    ReportProblem("%s skipped: its probe declined", file_name);
    return false;
}

void LoadPlugin(const std::string &folder, const std::string &file_name, const PluginKind &kind) {
    const char *name = file_name.c_str();
    std::string path = folder + "\\" + file_name;
    if (path.size() >= MAX_PATH) {  // beyond what the narrow loader takes
        ReportProblem("%s skipped: its path is too long", name);
        return;
    }
    // The altered search path lets a plug-in find DLLs of its own in its folder.
    HMODULE module = LoadLibraryExA(path.c_str(), NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == NULL) {
        ReportProblem("%s skipped: not a loadable 32-bit module (error %lu)", name, GetLastError());
        return;
    }
    const void *record = QueryRecord(module, name, kind);
    if (record != NULL && !kind.general &&
        !ProbeAccepts(static_cast<const CPluginRecord *>(record), name)) {
        record = NULL;
    }
    if (record == NULL) {
        FreeLibrary(module);
        return;
    }
    Plugin plugin = {module, file_name, NULL, NULL, false};
    if (kind.general)
        plugin.general = static_cast<const GPluginRecord *>(record);
    else
        plugin.config = static_cast<const CPluginRecord *>(record);
    Plugins.push_back(plugin);
}

// The folder's modules of one kind, sorted by name (ignoring case) so that the load order is
// the same on every file system.
std::vector<std::string> ListModules(const std::string &folder, const PluginKind &kind) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*" + kind.extension).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        if (HasExtension(found.cFileName, kind.extension)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

}  // namespace

void LoadPlugins(void) {
    std::string folder = PluginFolder();
    // The narrow file functions take at most MAX_PATH characters, search pattern included.
    if (folder.empty() || folder.size() > MAX_PATH - PATTERN_ROOM) {
        ReportProblem("the plugin folder's path is too long: running without plug-ins");
        return;
    }
    if (!PathIsDirectoryA(folder.c_str())) {
        ReportProblem("no plugin folder (%s): running without plug-ins", folder.c_str());
        return;
    }
    size_t found = 0;
    for (const PluginKind &kind : kPluginKinds) {
        std::vector<std::string> names = ListModules(folder, kind);
        for (const std::string &name : names) LoadPlugin(folder, name, kind);
        found += names.size();
    }
    if (found == 0) {
        ReportProblem("the plugin folder %s holds no *.sgp or *.scp module", folder.c_str());
    }
}

void UnloadPlugins(void) {
    for (auto plugin = Plugins.rbegin(); plugin != Plugins.rend(); ++plugin) {
        FreeLibrary(plugin->module);
    }
    Plugins.clear();
}

void StartGeneralPlugins(HWND host_window) {
    for (Plugin &plugin : Plugins) {
        const GPluginRecord *record = plugin.general;
        if (record == NULL || record->event_callback == NULL) continue;
        record->event_callback(host_window, GPEVENT_INIT);
        plugin.started = true;
    }
}

void StopGeneralPlugins(HWND host_window) {
    // Reverse order: a plug-in that subclassed a window after another one unhooks first.
    for (auto plugin = Plugins.rbegin(); plugin != Plugins.rend(); ++plugin) {
        if (!plugin->started) continue;
        plugin->started = false;
        plugin->general->event_callback(host_window, GPEVENT_QUIT);
    }
}

void PassToMessageHooks(MSG *msg) {
    for (const Plugin &plugin : Plugins) {
        const GPluginRecord *record = plugin.general;
        if (record != NULL && record->message_hook != NULL) record->message_hook(msg);
    }
}

std::vector<HPROPSHEETPAGE> CollectSettingsPages(std::string *paths) {
    std::vector<HPROPSHEETPAGE> pages;
    paths->clear();
    for (const Plugin &plugin : Plugins) {
        const CPluginRecord *record = plugin.config;
        if (record == NULL || record->page_callback == NULL) continue;
        char path[MAX_PATH] = "";  // the room the contract gives a page for its path
        HPROPSHEETPAGE page =
            record->page_callback(SETTINGS_PAGE_INDEX, SETTINGS_PAGE_KIND, path, MAX_PATH);
        path[MAX_PATH - 1] = '\0';  // whatever the plug-in wrote, the host reads a string
        if (page == NULL) {
            ReportProblem("%s gave no settings page", plugin.file_name.c_str());
            continue;
        }
        pages.push_back(page);
        AppendListItem(paths, kListSeparator, path);
    }
    return pages;
}

std::string DescribeLoadedPlugins(void) {
    std::string text;
    for (const Plugin &plugin : Plugins) AppendListItem(&text, kListSeparator, plugin.file_name);
    return text.empty() ? "none" : text;
}
