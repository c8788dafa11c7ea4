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

// Another instance of the host reads and writes the same file, each through a handle of its own
// for a moment only: a sharing violation is waited out, about a tenth of a second at most, before
// it counts as the failure it is.
enum { SHARING_RETRIES = 20, SHARING_RETRY_MS = 5 };

// TRUE, after a pause, when the call that just failed met a sharing violation and may be tried
// again.
BOOL WaitForTheOtherHandle(int attempt) {
    if (GetLastError() != ERROR_SHARING_VIOLATION || attempt >= SHARING_RETRIES) return FALSE;
    Sleep(SHARING_RETRY_MS);
    return TRUE;
}

HANDLE OpenSettingsFile(const wchar_t *path, DWORD access, DWORD share) {
    for (int attempt = 0;; ++attempt) {
        HANDLE file =
            CreateFileW(path, access, share, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE || !WaitForTheOtherHandle(attempt)) return file;
    }
}

// A reader keeps writers out only while it takes its snapshot, so a write may find the file
// busy for that moment.
BOOL WriteSettingText(const wchar_t *section, const wchar_t *key, const wchar_t *text,
                      const wchar_t *path) {
    for (int attempt = 0;; ++attempt) {
        if (WritePrivateProfileStringW(section, key, text, path)) return TRUE;
        if (!WaitForTheOtherHandle(attempt)) return FALSE;
    }
}

// Writes one value as signed decimal text; TRUE when the write succeeded.
BOOL WriteIntSetting(const wchar_t *section, const wchar_t *key, int value, const wchar_t *path) {
    wchar_t text[SETTINGS_TEXT_CAPACITY];
    StringCchPrintfW(text, SETTINGS_TEXT_CAPACITY, kIntFormat, value);
    return WriteSettingText(section, key, text, path);
}

// Windows' profile functions take a UTF-8 signature for part of the first line: "[setting]" would
// then head no section, every key would read as its default, and a save would add a second
// section below the user's. Readers therefore hand the profile functions a copy without it, and
// the next save takes it off the file itself.
const char kUtf8Signature[] = "\xEF\xBB\xBF";
enum { UTF8_SIGNATURE_LENGTH = sizeof kUtf8Signature - 1 };

BOOL StartsWithUtf8Signature(const char *bytes, DWORD length) {
    return length >= UTF8_SIGNATURE_LENGTH &&
           memcmp(bytes, kUtf8Signature, UTF8_SIGNATURE_LENGTH) == 0;
}

// Reads an open file from its start into a block of the process heap; NULL, with the system's
// error, when it cannot.
char *ReadWholeFile(HANDLE file, DWORD *length) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.HighPart != 0) return NULL;
    HANDLE heap = GetProcessHeap();
    char *bytes = static_cast<char *>(HeapAlloc(heap, 0, size.LowPart));
    if (bytes == NULL) return NULL;
    if (SetFilePointer(file, 0, NULL, FILE_BEGIN) == 0 &&
        ReadFile(file, bytes, size.LowPart, length, NULL) && *length == size.LowPart) {
        return bytes;
    }
    DWORD error = GetLastError();
    HeapFree(heap, 0, bytes);
    SetLastError(error);
    return NULL;
}

// Rewrites an open file without its first `skip` bytes: all of it is read before anything is
// written, so a failed read leaves the file as it was.
BOOL DropLeadingBytes(HANDLE file, DWORD skip) {
    DWORD length = 0;
    char *bytes = ReadWholeFile(file, &length);
    if (bytes == NULL) return FALSE;
    DWORD rest = length - skip, moved = 0;
    BOOL done = SetFilePointer(file, 0, NULL, FILE_BEGIN) == 0 &&
                WriteFile(file, bytes + skip, rest, &moved, NULL) && moved == rest &&
                SetEndOfFile(file);
    DWORD error = GetLastError();
    HeapFree(GetProcessHeap(), 0, bytes);
    SetLastError(error);
    return done;
}

// Closes a handle and leaves the last error as the work before it left it, for the caller to
// report.
void CloseKeepingError(HANDLE handle) {
    DWORD error = GetLastError();
    CloseHandle(handle);
    SetLastError(error);
}

// Reads the file's first bytes, from its start; *is_signed tells whether they are the signature.
BOOL ReadSignature(HANDLE file, BOOL *is_signed) {
    char start[UTF8_SIGNATURE_LENGTH];
    DWORD got = 0;
    if (!ReadFile(file, start, UTF8_SIGNATURE_LENGTH, &got, NULL)) return FALSE;
    *is_signed = StartsWithUtf8Signature(start, got);
    return TRUE;
}

// The writer's side. The signature is looked for through a handle that lets every other reader
// and writer be: a log viewer or file watcher that only reads the file must not make a save
// fail. Only a signature to take off needs the file alone, so that no reader meets it half
// rewritten; it is looked at again there, since another writer may have taken it off meanwhile.
// TRUE when the file has no signature (or does not exist yet) or lost it; FALSE, with the
// system's error, when the file could not be read, had alone or rewritten.
BOOL RemoveUtf8Signature(const wchar_t *path) {
    HANDLE file = OpenSettingsFile(path, GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    BOOL is_signed = FALSE, looked = ReadSignature(file, &is_signed);
    CloseKeepingError(file);
    if (!looked || !is_signed) return looked;

    file = OpenSettingsFile(path, GENERIC_READ | GENERIC_WRITE, 0);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    BOOL removed = ReadSignature(file, &is_signed);
    if (removed && is_signed) removed = DropLeadingBytes(file, UTF8_SIGNATURE_LENGTH);
    CloseKeepingError(file);
    return removed;
}

// The reader's side: the whole file in one read, under a handle that other readers share and
// writers do not. Another instance's profile functions rewrite the file in place, and a reader
// that came upon one halfway would take the missing keys for defaults. NULL when the file
// cannot be opened or read.
char *TakeSnapshot(const wchar_t *path, DWORD *length) {
    HANDLE file = OpenSettingsFile(path, GENERIC_READ, FILE_SHARE_READ);
    if (file == INVALID_HANDLE_VALUE) return NULL;
    char *bytes = ReadWholeFile(file, length);
    CloseKeepingError(file);  // why a failed read failed tells a missing file from a held one
    return bytes;
}

// The copy's name in the temporary folder: its own for each thread, so that no two loads at once
// ever share one, however the host spreads its plug-ins over its threads.
const wchar_t kCopyNameFormat[] = L"%lsaltrowtint-%lx.tmp";

// Puts the text into the thread's copy, for the profile functions to read instead of the user's
// file; FALSE when no copy could be made.
BOOL MakeTextCopy(const char *text, DWORD length, wchar_t *copy) {
    wchar_t folder[MAX_PATH];
    DWORD folder_length = GetTempPathW(MAX_PATH, folder);
    if (folder_length == 0 || folder_length >= MAX_PATH ||
        FAILED(StringCchPrintfW(copy, MAX_PATH, kCopyNameFormat, folder, GetCurrentThreadId()))) {
        return FALSE;
    }
    HANDLE file =
        CreateFileW(copy, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, NULL);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    DWORD written = 0;
    BOOL made = WriteFile(file, text, length, &written, NULL) && written == length;
    CloseHandle(file);
    if (!made) DeleteFileW(copy);
    return made;
}

// The copy leaves the profile functions' cache before it goes: the thread's next copy has the same
// name and may be written within the same tick of the file system's clock, which the cache would
// take for this copy unchanged.
void RemoveTextCopy(const wchar_t *copy) {
    WritePrivateProfileStringW(NULL, NULL, NULL, copy);
    DeleteFileW(copy);
}

// All eight keys from the file at path, in key order; NULL gives every key its default.
void ReadKeys(RowColorSettings *settings, const wchar_t *path) {
    for (const SettingKey &key : kSettingKeys) {
        *FieldOf(settings, key) = path != NULL ? GetPrivateProfileIntW(SETTINGS_SECTION_W, key.name,
                                                                       key.default_value, path)
                                               : key.default_value;
    }
}

// All eight keys, under the lock of the caller. Stops at the first failure: what follows would
// meet the same locked or read-only file.
BOOL WriteKeys(const RowColorSettings *settings, const wchar_t *path) {
    if (!RemoveUtf8Signature(path)) return FALSE;
    for (const SettingKey &key : kSettingKeys) {
        UINT value = FieldOf(settings, key);
        BOOL written;
        if (key.form == FORM_FLAG) {
            written = WriteIntSetting(SETTINGS_SECTION_W, key.name, static_cast<int>(value), path);
        } else {
            wchar_t text[SETTINGS_TEXT_CAPACITY];
            StringCchPrintfW(text, SETTINGS_TEXT_CAPACITY, kColorFormat, value);
            written = WriteSettingText(SETTINGS_SECTION_W, key.name, text, path);
        }
        if (!written) return FALSE;
    }
    return TRUE;
}

// The lock's name: the file's full path, which the name cannot hold (no backslash, limited
// length), folded into a hash of its upper-case form, so that two hosts in two folders never
// wait for each other and two spellings of one path meet. A session's own namespace: the file
// lies beside one user's host.
const wchar_t kLockNameFormat[] = L"Local\\altrowtint-settings-%08lX%08lX";
enum { LOCK_NAME_CAPACITY = 64, SETTINGS_LOCK_WAIT_MS = 2000 };
const unsigned long long kHashOffset = 0xCBF29CE484222325ULL, kHashPrime = 0x100000001B3ULL;

BOOL MakeLockName(const wchar_t *path, wchar_t *name) {
    wchar_t upper[MAX_PATH];
    size_t length = 0;
    if (FAILED(StringCchCopyW(upper, MAX_PATH, path)) ||
        FAILED(StringCchLengthW(upper, MAX_PATH, &length))) {
        return FALSE;
    }
    CharUpperBuffW(upper, static_cast<DWORD>(length));
    unsigned long long hash = kHashOffset;  // FNV-1a over the UTF-16 code units
    for (const wchar_t *c = upper; *c != L'\0'; ++c) hash = (hash ^ *c) * kHashPrime;
    return SUCCEEDED(StringCchPrintfW(name, LOCK_NAME_CAPACITY, kLockNameFormat,
                                      static_cast<unsigned long>(hash >> 32),
                                      static_cast<unsigned long>(hash & 0xFFFFFFFFUL)));
}

HANDLE LockFileAt(const wchar_t *path) {
    wchar_t name[LOCK_NAME_CAPACITY];
    if (!MakeLockName(path, name)) return NULL;
    HANDLE lock = CreateMutexW(NULL, FALSE, name);
    if (lock == NULL) return NULL;
    DWORD waited = WaitForSingleObject(lock, SETTINGS_LOCK_WAIT_MS);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return lock;
    CloseHandle(lock);
    return NULL;
}

}  // namespace

HANDLE LockSettingsFile(void) {
    wchar_t path[MAX_PATH];
    return GetSettingsPath(path) ? LockFileAt(path) : NULL;
}

void UnlockSettingsFile(HANDLE lock) {
    if (lock == NULL) return;
    ReleaseMutex(lock);
    CloseKeepingError(lock);
}

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

SettingsSource LoadSettings(RowColorSettings *settings) {
    wchar_t path[MAX_PATH];
    if (!GetSettingsPath(path)) {
        ReadKeys(settings, NULL);
        return SETTINGS_NO_FILE;
    }
    DWORD length = 0;
    HANDLE lock = LockFileAt(path);
    char *text = TakeSnapshot(path, &length);
    UnlockSettingsFile(lock);
    if (text == NULL) {  // missing, or held by another program: read as the platform can
        DWORD error = GetLastError();
        ReadKeys(settings, path);
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? SETTINGS_NO_FILE
                                                                              : SETTINGS_UNREADABLE;
    }
    DWORD skip = StartsWithUtf8Signature(text, length) ? UTF8_SIGNATURE_LENGTH : 0;
    wchar_t copy[MAX_PATH];
    if (MakeTextCopy(text + skip, length - skip, copy)) {
        ReadKeys(settings, copy);
        RemoveTextCopy(copy);
    } else {
        ReadKeys(settings, path);  // no temporary folder to use: the file as it is
    }
    HeapFree(GetProcessHeap(), 0, text);
    return SETTINGS_FROM_FILE;
}

BOOL SaveSettings(const RowColorSettings *settings) {
    wchar_t path[MAX_PATH];
    if (!GetSettingsPath(path)) return FALSE;  // never a file under a cut-off name
    HANDLE lock = LockFileAt(path);
    BOOL saved = WriteKeys(settings, path);
    UnlockSettingsFile(lock);
    return saved;
}
