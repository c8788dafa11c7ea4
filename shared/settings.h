// The eight colouring settings and their file, altrowtint.ini beside the host's executable.
// Each plug-in keeps its own RowColorSettings and goes through these functions only.
#ifndef ALTROWTINT_SETTINGS_H
#define ALTROWTINT_SETTINGS_H

#include <windows.h>

// First set: rows with an even zero-based index (1st, 3rd, ... on screen); second set: odd index.
// Flags are nonzero for "on"; colours are COLORREF values (0x00BBGGRR), kept unvalidated.
struct RowColorSettings {
    int TextColor1Enable;
    COLORREF TextColor1;
    int TextColor2Enable;
    COLORREF TextColor2;
    int TextBkColor1Enable;
    COLORREF TextBkColor1;
    int TextBkColor2Enable;
    COLORREF TextBkColor2;
};

#define SETTINGS_FILE_NAME "altrowtint.ini"
#define SETTINGS_SECTION "setting"
#define SETTINGS_SECTION_W L"" SETTINGS_SECTION  // for the wide profile functions
enum { SETTINGS_TEXT_CAPACITY = 1024 };          // text buffer of one formatted value

enum {
    DEFAULT_TEXTCOLOR1_ENABLE = 0,
    DEFAULT_TEXTCOLOR1 = 0x000000,
    DEFAULT_TEXTCOLOR2_ENABLE = 0,
    DEFAULT_TEXTCOLOR2 = 0x000000,
    DEFAULT_TEXTBKCOLOR1_ENABLE = 1,
    DEFAULT_TEXTBKCOLOR1 = 0xF0F0F0,  // light grey, red, green and blue 240
    DEFAULT_TEXTBKCOLOR2_ENABLE = 0,
    DEFAULT_TEXTBKCOLOR2 = 0xE0E0E0  // red, green and blue 224
};

// What every field is with no file at all.
const RowColorSettings kDefaultSettings = {DEFAULT_TEXTCOLOR1_ENABLE,   DEFAULT_TEXTCOLOR1,
                                           DEFAULT_TEXTCOLOR2_ENABLE,   DEFAULT_TEXTCOLOR2,
                                           DEFAULT_TEXTBKCOLOR1_ENABLE, DEFAULT_TEXTBKCOLOR1,
                                           DEFAULT_TEXTBKCOLOR2_ENABLE, DEFAULT_TEXTBKCOLOR2};

// Writes the settings file's full name into path (MAX_PATH wide characters). Returns FALSE, with
// path empty, when the host's module name came back truncated or the file name does not fit:
// then no file is used at all. Wide, so that a host folder named outside the ANSI code page
// still names the folder that exists.
BOOL GetSettingsPath(wchar_t *path);

// Where the values of a load came from.
enum SettingsSource {
    SETTINGS_FROM_FILE,  // one snapshot of the file
    SETTINGS_NO_FILE,    // there is no file (or no usable path): every key has its default
    // A file is there that could not be read: held by another program for longer than a moment,
    // or refused. The values are what the platform read directly, or the defaults; they are no
    // reason to write the file over.
    SETTINGS_UNREADABLE
};

// Overwrites all eight fields from the file, in key order; a missing key or file gives its default.
// Never writes the file: the profile functions read a private copy of one snapshot of it, taken
// while no writer holds it, without a UTF-8 signature.
SettingsSource LoadSettings(RowColorSettings *settings);

// Writes all eight keys in key order; other sections and keys of the file stay. TRUE only when
// every key was written; it stops at the first write that fails, and FALSE also when there is
// no usable path; after a failed write GetLastError tells the system's reason. The file keeps
// its encoding (an ANSI file stays ANSI), except that a UTF-8 signature, which the profile
// functions would misread, is taken off first. Another program's reader or writer holding the
// file for a moment is waited for, briefly.
BOOL SaveSettings(const RowColorSettings *settings);

// Keeps every other process of these plug-ins away from the file until UnlockSettingsFile: a
// read, merge and write of the file held between the two is never interleaved with another's.
// Each load and save takes it for itself; a caller that reads and then writes holds it around
// both (a thread may take it again while it holds it). Waits a second or two for a holder; a
// holder that died counts as gone. NULL when it could not be had: the caller goes on unguarded,
// as it would without it.
HANDLE LockSettingsFile(void);
// Takes NULL too; leaves GetLastError as the work under the lock left it.
void UnlockSettingsFile(HANDLE lock);

#endif
