#include "settings.h"

#include <shlwapi.h>
#include <stddef.h>
#include <strsafe.h>

namespace {

enum SettingForm { FORM_FLAG, FORM_COLOR };

struct SettingKey {
    const wchar_t *name;
    size_t offset;  // of the field in RowColorSettings
    UINT default_value;
    SettingForm form;
};

// The order of this table is the order of every read and every write.
const SettingKey kSettingKeys[] = {
    {L"TextColor1Enable", offsetof(RowColorSettings, TextColor1Enable), DEFAULT_TEXTCOLOR1_ENABLE,
     FORM_FLAG},
    {L"TextColor1", offsetof(RowColorSettings, TextColor1), DEFAULT_TEXTCOLOR1, FORM_COLOR},
    {L"TextColor2Enable", offsetof(RowColorSettings, TextColor2Enable), DEFAULT_TEXTCOLOR2_ENABLE,
     FORM_FLAG},
    {L"TextColor2", offsetof(RowColorSettings, TextColor2), DEFAULT_TEXTCOLOR2, FORM_COLOR},
    {L"TextBkColor1Enable", offsetof(RowColorSettings, TextBkColor1Enable),
     DEFAULT_TEXTBKCOLOR1_ENABLE, FORM_FLAG},
    {L"TextBkColor1", offsetof(RowColorSettings, TextBkColor1), DEFAULT_TEXTBKCOLOR1, FORM_COLOR},
    {L"TextBkColor2Enable", offsetof(RowColorSettings, TextBkColor2Enable),
     DEFAULT_TEXTBKCOLOR2_ENABLE, FORM_FLAG},
    {L"TextBkColor2", offsetof(RowColorSettings, TextBkColor2), DEFAULT_TEXTBKCOLOR2, FORM_COLOR},
};

const wchar_t kColorFormat[] = L"0x%06X";
const wchar_t kIntFormat[] = L"%d";
const wchar_t kPathSuffix[] = L"\\" SETTINGS_FILE_NAME;

// Every field is 32 bits wide, so one accessor serves flags and colours alike.
UINT *FieldOf(RowColorSettings *settings, const SettingKey &key) {
    return reinterpret_cast<UINT *>(reinterpret_cast<char *>(settings) + key.offset);
}

UINT FieldOf(const RowColorSettings *settings, const SettingKey &key) {
    return *reinterpret_cast<const UINT *>(reinterpret_cast<const char *>(settings) + key.offset);
}

// Writes one value as signed decimal text; TRUE when the write succeeded.
BOOL WriteIntSetting(const wchar_t *section, const wchar_t *key, int value, const wchar_t *path) {
    wchar_t text[SETTINGS_TEXT_CAPACITY];
    StringCchPrintfW(text, SETTINGS_TEXT_CAPACITY, kIntFormat, value);
    return WritePrivateProfileStringW(section, key, text, path);
}

}  // namespace

BOOL GetSettingsPath(wchar_t *path) {
    // The host process's executable, not this module: both plug-ins must meet at one file.
    DWORD length = GetModuleFileNameW(NULL, path, MAX_PATH);
    if (length != 0 && length < MAX_PATH) {  // a truncated name is no name
        PathRemoveFileSpecW(path);
        if (SUCCEEDED(StringCchCatW(path, MAX_PATH, kPathSuffix))) return TRUE;
    }
    path[0] = L'\0';  // a cut-off name must never be used
    return FALSE;
}

void LoadSettings(RowColorSettings *settings) {
    wchar_t path[MAX_PATH];
    BOOL have_path = GetSettingsPath(path);
    for (const SettingKey &key : kSettingKeys) {
        *FieldOf(settings, key) =
            have_path ? GetPrivateProfileIntW(SETTINGS_SECTION_W, key.name, key.default_value, path)
                      : key.default_value;
    }
}

// Stops at the first failure: what follows would meet the same locked or read-only file.
BOOL SaveSettings(const RowColorSettings *settings) {
    wchar_t path[MAX_PATH];
    if (!GetSettingsPath(path)) return FALSE;  // never a file under a cut-off name
    for (const SettingKey &key : kSettingKeys) {
        UINT value = FieldOf(settings, key);
        BOOL written;
        if (key.form == FORM_FLAG) {
            written = WriteIntSetting(SETTINGS_SECTION_W, key.name, static_cast<int>(value), path);
        } else {
            wchar_t text[SETTINGS_TEXT_CAPACITY];
            StringCchPrintfW(text, SETTINGS_TEXT_CAPACITY, kColorFormat, value);
            written = WritePrivateProfileStringW(SETTINGS_SECTION_W, key.name, text, path);
        }
        if (!written) return FALSE;
    }
    return TRUE;
}
