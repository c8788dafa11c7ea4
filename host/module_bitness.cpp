#include "module_bitness.h"

#include <windows.h>

namespace {

// Reads size bytes at offset; false when the file is shorter.
bool ReadAt(HANDLE file, LONG offset, void *bytes, DWORD size) {
    DWORD got = 0;
    return SetFilePointer(file, offset, NULL, FILE_BEGIN) == static_cast<DWORD>(offset) &&
           ReadFile(file, bytes, size, &got, NULL) && got == size;
}

}  // namespace

int ModuleBitness(const std::wstring &path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 0;
    IMAGE_DOS_HEADER dos = {};
    DWORD signature = 0;
    IMAGE_FILE_HEADER header = {};
    bool read = ReadAt(file, 0, &dos, sizeof dos) && dos.e_magic == IMAGE_DOS_SIGNATURE &&
                dos.e_lfanew > 0 && ReadAt(file, dos.e_lfanew, &signature, sizeof signature) &&
                signature == IMAGE_NT_SIGNATURE &&
                ReadAt(file, dos.e_lfanew + sizeof signature, &header, sizeof header);
    CloseHandle(file);
    if (!read) return 0;
    if (header.Machine == IMAGE_FILE_MACHINE_I386) return 32;
    if (header.Machine == IMAGE_FILE_MACHINE_AMD64) return 64;
    return 0;
}
