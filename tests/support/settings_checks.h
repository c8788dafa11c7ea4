// Settings files as the robustness tests need them: written so that the platform's profile
// cache always notices them, the platform's own view of a file, the checks that a save lost
// nothing; and a seeded random source and a count of the thread's windows.
#ifndef ALTROWTINT_SETTINGS_CHECKS_H
#define ALTROWTINT_SETTINGS_CHECKS_H

#include <windows.h>
#include <stdint.h>

#include <string>
#include <utility>
#include <vector>

#include "settings.h"

extern const char *const kSettingKeys[8];  // in file order

// The eight values as they lie in the record, in file order (every field is 32 bits).
struct SettingValues {
    UINT v[8];
};
SettingValues ValuesOf(const RowColorSettings &settings);
RowColorSettings SettingsOf(const SettingValues &values);
RowColorSettings WithFlagsAsTicks(RowColorSettings settings);  // nonzero flags become 1
bool SameSettings(const RowColorSettings &a, const RowColorSettings &b);
std::string Describe(const RowColorSettings &settings);

// Writes a file with exactly these bytes and gives it a modification time of its own: the
// profile functions cache a file for as long as its time stays the same, and two writes within
// one tick of the file system clock would otherwise look alike.
void PutFileBytes(const std::string &path, const std::string &bytes);
void PutSettingsBytes(const std::string &bytes);  // the settings file
// The file's text for searching: UTF-16 with a byte-order mark as UTF-8, a UTF-8 mark cut.
std::string SettingsFileText();
std::string Printable(const std::string &bytes, size_t limit = 160);  // escaped, for messages

// Every section of a file with its entries as the profile functions list them, except the
// eight keys of the settings section (what a save may change) and a settings section that holds
// nothing else. Two views are equal when a save lost nothing but those keys.
typedef std::vector<std::pair<std::string, std::vector<std::string>>> ProfileView;
ProfileView ReadProfileView(const std::string &path);
std::string Describe(const ProfileView &view);

// After a save of `saved` into a file that held `original` (whose view is `before`): each key is
// present in its written form, loading gives `saved` back exactly, and everything else in the
// file is as `before` shows it. The profile functions rewrite a whole file in their own way (an
// empty section name, for one, is not written back, so its keys join the section before); where the
// views differ, the comparison is with a copy of the original that such a write went through.
void ExpectCompleteSave(const RowColorSettings &saved, const ProfileView &before,
                        const std::string &original);

// A small seeded generator (the same numbers on every platform).
struct Random {
    uint64_t state;
    explicit Random(uint64_t seed) : state(seed) {}
    uint32_t Next();
    uint32_t Below(uint32_t bound) { return Next() % bound; }
    bool OneIn(uint32_t n) { return Below(n) == 0; }
};
// ALTROWTINT_SEED from the environment when set, else the fixed seed given.
uint64_t SeedFromEnvironment(uint64_t fixed);

// A report-view list-view of `rows` rows in a hidden frame whose procedure is DefWindowProcA.
HWND CreateHiddenList(int rows);

int CountThreadWindows();  // top-level and child windows of the calling thread

#endif
