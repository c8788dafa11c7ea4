#include "settings.h"

#include <shlwapi.h>
#include <stddef.h>
#include <string.h>
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

// Windows' profile functions take a UTF-8 signature for part of the first line: "[setting]" would
// then head no section, every key would read as its default, and a save would add a second
// section below the user's. The three bytes go, every other byte stays, before any profile
// call sees the file. TRUE when the file has no signature (or is missing) or lost it; FALSE,
// with the system's error, when it could not be rewritten.
const char kUtf8Signature[] = "\xEF\xBB\xBF";
enum { UTF8_SIGNATURE_LENGTH = sizeof kUtf8Signature - 1 };

BOOL StartsWithUtf8Signature(const wchar_t *path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    char start[UTF8_SIGNATURE_LENGTH];
    DWORD got = 0;
    BOOL read = ReadFile(file, start, UTF8_SIGNATURE_LENGTH, &got, NULL);
    CloseHandle(file);
    return read && got == UTF8_SIGNATURE_LENGTH &&
           memcmp(start, kUtf8Signature, UTF8_SIGNATURE_LENGTH) == 0;
}

// Rewrites an open file without its first `skip` bytes: all of it is read before anything is
// written, so a failed read leaves the file as it was.
BOOL DropLeadingBytes(HANDLE file, DWORD skip) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.HighPart != 0 || size.LowPart < skip) return FALSE;
    DWORD rest = size.LowPart - skip;
    HANDLE heap = GetProcessHeap();
    char *bytes = static_cast<char *>(HeapAlloc(heap, 0, rest + 1));
    if (bytes == NULL) return FALSE;
    DWORD moved = 0;
    BOOL done = SetFilePointer(file, static_cast<LONG>(skip), NULL, FILE_BEGIN) == skip &&
                ReadFile(file, bytes, rest, &moved, NULL) && moved == rest &&
                SetFilePointer(file, 0, NULL, FILE_BEGIN) == 0 &&
                WriteFile(file, bytes, rest, &moved, NULL) && moved == rest && SetEndOfFile(file);
    DWORD error = GetLastError();
    HeapFree(heap, 0, bytes);
    SetLastError(error);
    return done;
}

BOOL RemoveUtf8Signature(const wchar_t *path) {
    if (!StartsWithUtf8Signature(path)) return TRUE;
    HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    BOOL removed = DropLeadingBytes(file, UTF8_SIGNATURE_LENGTH);
    DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return removed;
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
    if (have_path) RemoveUtf8Signature(path);  // unrewritable: read as the platform can
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
    if (!RemoveUtf8Signature(path)) return FALSE;
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
