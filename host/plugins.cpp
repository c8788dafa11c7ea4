#include "plugins.h"

#include <wchar.h>

#include <algorithm>
#include <string>
#include <vector>

#include "console_output.h"
#include "host_contract.h"
#include "host_resource.h"
#include "host_text.h"
#include "module_bitness.h"
#include "plugin_records.h"
#include "text_format.h"

namespace {

const wchar_t kPluginFolderName[] = L"plugin";
const wchar_t kUnlimitedPrefix[] = L"\\\\?\\";
const wchar_t kUnlimitedUncPrefix[] = L"\\\\?\\UNC\\";

struct PluginKind {
    const wchar_t *extension;
    const char *export_name;
    const wchar_t *export_label;  // the same, for messages
    bool general;
};
// General plug-ins load first, so that they are running before any settings page exists.
const PluginKind kPluginKinds[] = {
    {WIDE_LITERAL(GENERAL_PLUGIN_EXTENSION), GENERAL_PLUGIN_EXPORT,
     WIDE_LITERAL(GENERAL_PLUGIN_EXPORT), true},
    {WIDE_LITERAL(CONFIG_PLUGIN_EXTENSION), CONFIG_PLUGIN_EXPORT,
     WIDE_LITERAL(CONFIG_PLUGIN_EXPORT), false},
};

// A plug-in the host took. Its module is pinned: it stays mapped until the process ends, even
// when the plug-in frees it itself, so no call through the records can meet an unloaded module.
struct Plugin {
    std::wstring file_name;
    bool general;
    GPluginRecord general_record;  // copies taken at load; the one that general names is used
    CPluginRecord config_record;
    bool started;
};

std::vector<Plugin> Plugins;  // in load order
std::wstring Folder;          // where they were looked for; "" when the executable's is unknown
bool FolderFound = false;

// The folder "plugin" beside the executable; "" when the executable's path is unknown.
std::wstring PluginFolder(void) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(NULL, &path[0], static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);  // cut off: ask again with more room
    }
    path.resize(length);
    size_t name = path.find_last_of(L'\\');
    if (name == std::wstring::npos) return std::wstring();
    return path.substr(0, name + 1) + kPluginFolderName;
}

// A path the file functions and the loader take at any length: beyond MAX_PATH only the "\\?\"
// form is accepted, which must be a full path without "." or ".." parts, as the executable's
// own is. Shorter paths are left as they are, so that a module's name stays the usual one.
std::wstring Unlimited(const std::wstring &path) {
    if (path.size() < MAX_PATH || path.compare(0, 4, kUnlimitedPrefix) == 0) return path;
    if (path.compare(0, 2, L"\\\\") == 0) return kUnlimitedUncPrefix + path.substr(2);
    return kUnlimitedPrefix + path;
}

bool IsFolder(const std::wstring &path) {
    DWORD attributes = GetFileAttributesW(Unlimited(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// FindFirstFile's "*.sgp" also matches "x.sgpx" through its short 8.3 alias; only the exact
// extension counts.
bool HasExtension(const std::wstring &file_name, const wchar_t *extension) {
    size_t extension_length = wcslen(extension);
    return file_name.size() > extension_length &&
           lstrcmpiW(file_name.c_str() + file_name.size() - extension_length, extension) == 0;
}

// Returns the module's record, or NULL after reporting why the module is skipped.
const void *QueryRecord(HMODULE module, const wchar_t *file_name, const PluginKind &kind) {
    FARPROC entry = GetProcAddress(module, kind.export_name);
    if (entry == NULL) {
        ReportProblem(IDS_NO_EXPORT, {file_name, kind.export_label});
        return NULL;
    }
    typedef const void *(*GetRecordProc)(void);
    typedef void (*AnyProc)(void);  // the neutral type through which function pointers convert
    const void *record = reinterpret_cast<GetRecordProc>(reinterpret_cast<AnyProc>(entry))();
    if (record == NULL) {
        ReportProblem(IDS_NO_RECORD, {file_name, kind.export_label});
    }
    return record;
}

// A configuration plug-in whose probe answers 0 declines to run in this host.
bool ProbeAccepts(const CPluginRecord &record, const wchar_t *file_name) {
    if (record.probe == NULL || record.probe() != 0) return true;
    ReportProblem(IDS_PROBE_DECLINED, {file_name});
    return false;
}

void ReportRefusedRecord(RecordVerdict verdict, const wchar_t *file_name, const wchar_t *label) {
    UINT why = verdict == RECORD_OUTSIDE_MODULE     ? IDS_RECORD_OUTSIDE
               : verdict == CALLBACK_OUTSIDE_MODULE ? IDS_CALLBACK_OUTSIDE
                                                    : IDS_RECORD_DOES_NOTHING;
    ReportProblem(why, {file_name, label});
}

// Fills the plug-in's copy of its record; false after reporting why the module is skipped.
bool TakeRecord(HMODULE module, const PluginKind &kind, Plugin *plugin) {
    const wchar_t *name = plugin->file_name.c_str();
    const void *record = QueryRecord(module, name, kind);
    if (record == NULL) return false;
    RecordVerdict verdict = kind.general
                                ? CopyGeneralRecord(module, record, &plugin->general_record)
                                : CopyConfigRecord(module, record, &plugin->config_record);
    if (verdict != RECORD_TAKEN) {
        ReportRefusedRecord(verdict, name, kind.export_label);
        return false;
    }
    return kind.general || ProbeAccepts(plugin->config_record, name);
}

// Says why a module did not load: in words when it was built for the other bitness, the one
// mistake a user can mend by taking the other package.
void ReportUnloadable(const std::wstring &path, const wchar_t *name, DWORD error) {
    int bitness = error == ERROR_BAD_EXE_FORMAT ? ModuleBitness(path) : 0;
    if (bitness != 0 && bitness != HostBitness()) {
        ReportProblem(IDS_OTHER_BITNESS,
                      {name, std::to_wstring(bitness), std::to_wstring(HostBitness())});
    } else {
        ReportProblem(IDS_NOT_LOADABLE, {name, std::to_wstring(HostBitness())}, error);
    }
}

void LoadPlugin(const std::wstring &file_name, const PluginKind &kind) {
    const wchar_t *name = file_name.c_str();
    // The altered search path lets a plug-in find DLLs of its own in its folder; it needs the
    // full path, which this is.
    const std::wstring path = Unlimited(Folder + L"\\" + file_name);
    HMODULE module = LoadLibraryExW(path.c_str(), NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == NULL) {
        ReportUnloadable(path, name, GetLastError());
        return;
    }
    Plugin plugin = {file_name, kind.general, {}, {}, false};
    if (!TakeRecord(module, kind, &plugin)) {
        FreeLibrary(module);
        return;
    }
    // Kept for the host's lifetime: the pin stands in for the FreeLibrary it never makes.
    HMODULE pinned = NULL;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(module), &pinned);
    Plugins.push_back(plugin);
}

// The folder's modules of one kind, sorted by name (ignoring case) so that the load order is
// the same on every file system.
std::vector<std::wstring> ListModules(const PluginKind &kind) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Unlimited(Folder + L"\\*" + kind.extension).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        if (HasExtension(found.cFileName, kind.extension)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end(), [](const std::wstring &a, const std::wstring &b) {
        return lstrcmpiW(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

bool AnyConfigurationPlugin(void) {
    return std::any_of(Plugins.begin(), Plugins.end(),
                       [](const Plugin &plugin) { return !plugin.general; });
}

// Says why no settings page is offered, for a user who asked for one and for whom the problems
// at start-up may long be gone from the status bar.
std::wstring ReportNoSettingsPage(void) {
    if (AnyConfigurationPlugin()) return ReportProblem(IDS_NO_PAGE_PLUGINS_GAVE_NONE);
    if (Folder.empty()) return ReportProblem(IDS_NO_PAGE_PATH_UNKNOWN);
    if (!FolderFound) return ReportProblem(IDS_NO_PAGE_NO_FOLDER, {Folder});
    return ReportProblem(IDS_NO_PAGE_NO_CONFIG_PLUGIN,
                         {WIDE_LITERAL(CONFIG_PLUGIN_EXTENSION), Folder});
}

}  // namespace

void LoadPlugins(void) {
    Folder = PluginFolder();
    if (Folder.empty()) {
        ReportProblem(IDS_PATH_UNKNOWN_NO_PLUGINS);
        return;
    }
    FolderFound = IsFolder(Folder);
    if (!FolderFound) {
        ReportProblem(IDS_NO_FOLDER_NO_PLUGINS, {Folder});
        return;
    }
    size_t found = 0;
    for (const PluginKind &kind : kPluginKinds) {
        std::vector<std::wstring> names = ListModules(kind);
        for (const std::wstring &name : names) LoadPlugin(name, kind);
        found += names.size();
    }
    if (found == 0) {
        ReportProblem(IDS_FOLDER_EMPTY, {Folder});
    }
}

void StartGeneralPlugins(HWND host_window) {
    for (Plugin &plugin : Plugins) {
        if (!plugin.general || plugin.general_record.event_callback == NULL) continue;
        plugin.general_record.event_callback(host_window, GPEVENT_INIT);
        plugin.started = true;
    }
}

void StopGeneralPlugins(HWND host_window) {
    // Reverse order: a plug-in that subclassed a window after another one unhooks first.
    for (auto plugin = Plugins.rbegin(); plugin != Plugins.rend(); ++plugin) {
        if (!plugin->started) continue;
        plugin->started = false;
        plugin->general_record.event_callback(host_window, GPEVENT_QUIT);
    }
}

void PassToMessageHooks(MSG *msg) {
    for (const Plugin &plugin : Plugins) {
        if (plugin.general && plugin.general_record.message_hook != NULL) {
            plugin.general_record.message_hook(msg);
        }
    }
}

std::vector<HPROPSHEETPAGE> CollectSettingsPages(std::wstring *paths, std::wstring *problems) {
    std::vector<HPROPSHEETPAGE> pages;
    paths->clear();
    problems->clear();
    const std::wstring list_separator = HostText(IDS_LIST_SEPARATOR, READER_USER);
    const std::wstring problem_separator = HostText(IDS_PROBLEM_SEPARATOR, READER_USER);
    for (const Plugin &plugin : Plugins) {
        CPluginPageProc page_callback = plugin.config_record.page_callback;
        if (plugin.general || page_callback == NULL) continue;
        char path[MAX_PATH] = "";  // the room the contract gives a page for its path
        HPROPSHEETPAGE page =
            page_callback(SETTINGS_PAGE_INDEX, SETTINGS_PAGE_KIND, path, MAX_PATH);
        path[MAX_PATH - 1] = '\0';  // whatever the plug-in wrote, the host reads a string
        if (page == NULL) {
            AppendListItem(problems, problem_separator,
                           ReportProblem(IDS_NO_PAGE_FROM, {plugin.file_name}));
            continue;
        }
        pages.push_back(page);
        AppendListItem(paths, list_separator, WidenAnsi(path));
    }
    if (pages.empty()) {
        AppendListItem(problems, problem_separator, ReportNoSettingsPage());
    }
    return pages;
}

std::wstring DescribeLoadedPlugins(void) {
    std::wstring text;
    const std::wstring separator = HostText(IDS_LIST_SEPARATOR, READER_USER);
    for (const Plugin &plugin : Plugins) AppendListItem(&text, separator, plugin.file_name);
    return text.empty() ? HostText(IDS_NO_PLUGINS, READER_USER) : text;
}
