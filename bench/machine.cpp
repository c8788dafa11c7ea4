// What the figures were measured on: processors, processor name and Wine's version.
#include <stdio.h>
#include <string.h>

#include "machine.h"

namespace {

const char kProcessorKey[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
const char kProcessorName[] = "ProcessorNameString";

typedef const char *(*WineVersionProc)(void);  // cdecl, the default

// The text goes into JSON strings as it is: characters that would need escaping become spaces.
void MakePlain(char *text) {
    for (; *text != '\0'; ++text) {
        if (*text == '"' || *text == '\\' || static_cast<unsigned char>(*text) < ' ') *text = ' ';
    }
}

// The registry's name of the first processor; "unknown processor" when there is none.
void ReadProcessorName(char *text, DWORD capacity) {
    lstrcpynA(text, "unknown processor", capacity);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProcessorKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return;
    }
    char name[TEXT_CAPACITY] = "";
    DWORD size = sizeof name - 1, type = 0;
    LONG status =
        RegQueryValueExA(key, kProcessorName, NULL, &type, reinterpret_cast<BYTE *>(name), &size);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS && type == REG_SZ) lstrcpynA(text, name, capacity);
}

// Wine's ntdll tells its version; Windows' has no such export, and the text stays empty.
void ReadWineVersion(char *text, size_t capacity) {
    text[0] = '\0';
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    FARPROC found = ntdll != NULL ? GetProcAddress(ntdll, "wine_get_version") : NULL;
    if (found == NULL) return;
    // Through the generic function type: the export's true type differs from FARPROC's.
    typedef void (*AnyFunction)(void);
    WineVersionProc version =
        reinterpret_cast<WineVersionProc>(reinterpret_cast<AnyFunction>(found));
    _snprintf(text, capacity - 1, "wine-%s", version());
    text[capacity - 1] = '\0';
}

}  // namespace

void DescribeMachine(Machine *machine) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    machine->processors = static_cast<int>(system.dwNumberOfProcessors);
    ReadProcessorName(machine->cpu, TEXT_CAPACITY);
    ReadWineVersion(machine->wine, TEXT_CAPACITY);
    MakePlain(machine->cpu);
    MakePlain(machine->wine);
}
