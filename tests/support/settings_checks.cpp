#include "settings_checks.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "test_support.h"

const char *const kSettingKeys[8] = {"TextColor1Enable",   "TextColor1",         "TextColor2Enable",
                                     "TextColor2",         "TextBkColor1Enable", "TextBkColor1",
                                     "TextBkColor2Enable", "TextBkColor2"};

namespace {
bool IsFlag(int index) { return index % 2 == 0; }
bool IsSettingsSection(const std::string &name) {
    return lstrcmpiA(name.c_str(), SETTINGS_SECTION) == 0;
}
bool IsSettingKey(const std::string &entry) {
    std::string key = entry.substr(0, entry.find('='));
    for (const char *name : kSettingKeys) {
        if (lstrcmpiA(key.c_str(), name) == 0) return true;
    }
    return false;
}
// Splits a double-zero-terminated list.
std::vector<std::string> Split(const std::vector<char> &buffer, DWORD length) {
    std::vector<std::string> items;
    for (DWORD i = 0; i < length;) {
        std::string item(&buffer[i]);
        i += static_cast<DWORD>(item.size()) + 1;
        if (!item.empty()) items.push_back(item);
    }
    return items;
}
// Calls a profile lister with a buffer that grows until the list fits.
template <typename Lister>
std::vector<std::string> ListAll(Lister lister) {
    for (DWORD size = 4096;; size *= 2) {
        std::vector<char> buffer(size + 2, '\0');
        DWORD length = lister(buffer.data(), size);
        if (length < size - 2 || size >= (64u << 20)) return Split(buffer, length);
    }
}
}  // namespace

SettingValues ValuesOf(const RowColorSettings &settings) {
    static_assert(sizeof(RowColorSettings) == sizeof(SettingValues), "eight 32-bit fields");
    SettingValues values;
    memcpy(&values, &settings, sizeof values);
    return values;
}

RowColorSettings SettingsOf(const SettingValues &values) {
    RowColorSettings settings;
    memcpy(&settings, &values, sizeof settings);
    return settings;
}

RowColorSettings WithFlagsAsTicks(RowColorSettings s) {
    s.TextColor1Enable = s.TextColor1Enable != 0;
    s.TextColor2Enable = s.TextColor2Enable != 0;
    s.TextBkColor1Enable = s.TextBkColor1Enable != 0;
    s.TextBkColor2Enable = s.TextBkColor2Enable != 0;
    return s;
}

bool SameSettings(const RowColorSettings &a, const RowColorSettings &b) {
    return memcmp(&a, &b, sizeof a) == 0;
}

std::string Describe(const RowColorSettings &settings) {
    SettingValues values = ValuesOf(settings);
    std::string text;
    for (int i = 0; i < 8; ++i) {
        char item[32];
        snprintf(item, sizeof item, IsFlag(i) ? "%d " : "%06X ", static_cast<int>(values.v[i]));
        text += item;
    }
    return text;
}

void PutFileBytes(const std::string &path, const std::string &bytes) {
    static ULONGLONG stamp = 125911584000000000ULL;  // 2000-01-01, far from any real write
    stamp += 10000000ULL;                            // one second per file
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    FILETIME time = {static_cast<DWORD>(stamp), static_cast<DWORD>(stamp >> 32)};
    SetFileTime(file, NULL, NULL, &time);
    CloseHandle(file);
    ASSERT_EQ(bytes.size(), written);
}

void PutSettingsBytes(const std::string &bytes) { PutFileBytes(SettingsFile(), bytes); }

std::string SettingsFileText() {
    std::string bytes = ReadFileBytes(SettingsFile());
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
    if (bytes.compare(0, 2, "\xFF\xFE") != 0) return bytes;
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    if (!wide.empty()) memcpy(&wide[0], bytes.data() + 2, wide.size() * 2);
    return Utf8(wide);
}

std::string Printable(const std::string &bytes, size_t limit) {
    std::string text;
    for (size_t i = 0; i < bytes.size() && i < limit; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        char escaped[8];
        if (c == '\n') {
            text += "\\n";
        } else if (c == '\r') {
            text += "\\r";
        } else if (c < 32 || c >= 127 || c == '\\') {
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        } else {
            text += static_cast<char>(c);
        }
    }
    if (bytes.size() > limit) text += "... (" + std::to_string(bytes.size()) + " bytes)";
    return text;
}

ProfileView ReadProfileView(const std::string &path) {
    ProfileView view;
    std::vector<std::string> names = ListAll([&](char *buffer, DWORD size) {
        return GetPrivateProfileSectionNamesA(buffer, size, path.c_str());
    });
    for (const std::string &name : names) {
        std::vector<std::string> entries = ListAll([&](char *buffer, DWORD size) {
            return GetPrivateProfileSectionA(name.c_str(), buffer, size, path.c_str());
        });
        if (IsSettingsSection(name)) {
            std::vector<std::string> others;
            for (const std::string &entry : entries) {
                if (!IsSettingKey(entry)) others.push_back(entry);
            }
            if (others.empty()) continue;
            entries = others;
        }
        view.push_back({name, entries});
    }
    return view;
}

std::string Describe(const ProfileView &view) {
    std::string text;
    for (const auto &section : view) {
        text += "[" + Printable(section.first, 40) + "]";
        for (const std::string &entry : section.second) text += " " + Printable(entry, 40) + ";";
        text += "\n";
    }
    return text;
}

void ExpectCompleteSave(const RowColorSettings &saved, const ProfileView &before,
                        const std::string &original) {
    std::string path = SettingsFile();
    std::vector<std::string> entries = ListAll([&](char *buffer, DWORD size) {
        return GetPrivateProfileSectionA(SETTINGS_SECTION, buffer, size, path.c_str());
    });
    SettingValues values = ValuesOf(saved);
    for (int i = 0; i < 8; ++i) {
        char want[32];
        snprintf(want, sizeof want, IsFlag(i) ? "%d" : "0x%06X", static_cast<int>(values.v[i]));
        std::string found = "(missing)";
        for (const std::string &entry : entries) {  // the first entry of the key is the one read
            size_t sign = entry.find('=');
            if (lstrcmpiA(entry.substr(0, sign).c_str(), kSettingKeys[i]) == 0) {
                found = sign == std::string::npos ? "" : entry.substr(sign + 1);
                break;
            }
        }
        EXPECT_EQ(want, found) << kSettingKeys[i];  // the key's own spelling may stay
    }
    RowColorSettings loaded;
    memset(&loaded, 0xCC, sizeof loaded);
    LoadSettings(&loaded);
    EXPECT_TRUE(SameSettings(saved, loaded))
        << "saved  " << Describe(saved) << "\nloaded " << Describe(loaded);
    ProfileView after = ReadProfileView(path);
    if (after == before) return;
    std::string copy = ExeDir() + "\\rewritten.ini";
    // The settings functions take a UTF-8 signature off the file before the platform reads it.
    const std::string kSignature = "\xEF\xBB\xBF";
    bool signed_file = original.compare(0, kSignature.size(), kSignature) == 0;
    PutFileBytes(copy, signed_file ? original.substr(kSignature.size()) : original);
    WritePrivateProfileStringA("rewrite probe", "k", "v", copy.c_str());
    WritePrivateProfileStringA("rewrite probe", NULL, NULL, copy.c_str());
    ProfileView rewritten = ReadProfileView(copy);
    DeleteFileA(copy.c_str());
    EXPECT_TRUE(rewritten == after) << "before:\n"
                                    << Describe(rewritten) << "after:\n"
                                    << Describe(after);
}

uint32_t Random::Next() {  // splitmix64
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

uint64_t SeedFromEnvironment(uint64_t fixed) {
    char text[32];
    DWORD length = GetEnvironmentVariableA("ALTROWTINT_SEED", text, sizeof text);
    if (length == 0 || length >= sizeof text) return fixed;
    return strtoull(text, NULL, 0);
}

namespace {
BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int *>(count);
    return TRUE;
}
BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    ++*reinterpret_cast<int *>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}
}  // namespace

HWND CreateHiddenList(int rows) { return CreateReportList(rows, WC_LISTVIEWA, false); }

int CountThreadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}
