#include "settings.h"

#include <shlwapi.h>
#include <stddef.h>
#include <string.h>

namespace {

enum SettingForm { FORM_FLAG, FORM_COLOUR };

struct SettingKey {
    const char *name;
    size_t offset;  // of the field in RowColorSettings
    UINT default_value;
    SettingForm form;
};

// The order of this table is the order of every read and every write.
const SettingKey kSettingKeys[] = {
    {"TextColor1Enable", offsetof(RowColorSettings, TextColor1Enable), DEFAULT_TEXTCOLOR1_ENABLE,
     FORM_FLAG},
    {"TextColor1", offsetof(RowColorSettings, TextColor1), DEFAULT_TEXTCOLOR1, FORM_COLOUR},
    {"TextColor2Enable", offsetof(RowColorSettings, TextColor2Enable), DEFAULT_TEXTCOLOR2_ENABLE,
     FORM_FLAG},
    {"TextColor2", offsetof(RowColorSettings, TextColor2), DEFAULT_TEXTCOLOR2, FORM_COLOUR},
    {"TextBkColor1Enable", offsetof(RowColorSettings, TextBkColor1Enable),
     DEFAULT_TEXTBKCOLOR1_ENABLE, FORM_FLAG},
    {"TextBkColor1", offsetof(RowColorSettings, TextBkColor1), DEFAULT_TEXTBKCOLOR1, FORM_COLOUR},
    {"TextBkColor2Enable", offsetof(RowColorSettings, TextBkColor2Enable),
     DEFAULT_TEXTBKCOLOR2_ENABLE, FORM_FLAG},
    {"TextBkColor2", offsetof(RowColorSettings, TextBkColor2), DEFAULT_TEXTBKCOLOR2, FORM_COLOUR},
};

const char kColourFormat[] = "0x%06X";
const char kIntFormat[] = "%d";
const char kPathSuffix[] = "\\" SETTINGS_FILE_NAME;
const char kPathFormat[] = "%s\\" SETTINGS_FILE_NAME;

// Every field is 32 bits wide, so one accessor serves flags and colours alike.
UINT *FieldOf(RowColorSettings *settings, const SettingKey &key) {
    return reinterpret_cast<UINT *>(reinterpret_cast<char *>(settings) + key.offset);
}

UINT FieldOf(const RowColorSettings *settings, const SettingKey &key) {
    return *reinterpret_cast<const UINT *>(reinterpret_cast<const char *>(settings) + key.offset);
}

}  // namespace

BOOL GetSettingsPath(char *path) {
    path[0] = '\0';
    char directory[MAX_PATH];
    // The host process's executable, not this module: both plug-ins must meet at one file.
    DWORD length = GetModuleFileNameA(NULL, directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return FALSE;  // a truncated name is no name
    directory[length] = '\0';
    PathRemoveFileSpecA(directory);
    if (strlen(directory) + sizeof kPathSuffix - 1 >= MAX_PATH) return FALSE;
    wsprintfA(path, kPathFormat, directory);
    return TRUE;
}

void LoadSettings(RowColorSettings *settings) {
    char path[MAX_PATH];
    BOOL have_path = GetSettingsPath(path);
    for (const SettingKey &key : kSettingKeys) {
        *FieldOf(settings, key) =
            have_path ? GetPrivateProfileIntA(SETTINGS_SECTION, key.name, key.default_value, path)
                      : key.default_value;
    }
}

void WriteIntSetting(const char *section, const char *key, int value, const char *path) {
    char text[SETTINGS_TEXT_CAPACITY];
    wsprintfA(text, kIntFormat, value);
    WritePrivateProfileStringA(section, key, text, path);
}

void SaveSettings(const RowColorSettings *settings) {
    char path[MAX_PATH];
    if (!GetSettingsPath(path)) return;  // never a file under a cut-off name
    for (const SettingKey &key : kSettingKeys) {
        UINT value = FieldOf(settings, key);
        if (key.form == FORM_FLAG) {
            WriteIntSetting(SETTINGS_SECTION, key.name, static_cast<int>(value), path);
        } else {
            char text[SETTINGS_TEXT_CAPACITY];
            wsprintfA(text, kColourFormat, value);
            WritePrivateProfileStringA(SETTINGS_SECTION, key.name, text, path);
        }
    }
}
