#include "test_support.h"

#include <algorithm>

namespace {

// A PE image read as a file: 32-bit (PE32) and 64-bit (PE32+) images differ in the optional
// header, which puts the data directories at different offsets.
struct Image {
    std::string bytes;
    const IMAGE_FILE_HEADER *file = nullptr;
    const IMAGE_DATA_DIRECTORY *directories = nullptr;
    const IMAGE_SECTION_HEADER *sections = nullptr;
};

Image LoadImageFile(const std::string &path) {
    Image image;
    image.bytes = ReadFileBytes(path);
    if (image.bytes.size() < sizeof(IMAGE_DOS_HEADER)) return image;
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(image.bytes.data());
    if (dos->e_lfanew <= 0 ||
        image.bytes.size() < dos->e_lfanew + sizeof(IMAGE_NT_HEADERS64) + sizeof(WORD)) {
        return image;
    }
    auto nt32 = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(image.bytes.data() + dos->e_lfanew);
    auto nt64 = reinterpret_cast<const IMAGE_NT_HEADERS64 *>(nt32);
    image.directories = nt32->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                            ? nt64->OptionalHeader.DataDirectory
                            : nt32->OptionalHeader.DataDirectory;
    image.file = &nt32->FileHeader;
    image.sections = IMAGE_FIRST_SECTION(nt32);
    return image;
}

const char *AtRva(const Image &image, DWORD rva) {
    for (WORD i = 0; i < image.file->NumberOfSections; ++i) {
        const IMAGE_SECTION_HEADER &s = image.sections[i];
        if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize) {
            return image.bytes.data() + s.PointerToRawData + (rva - s.VirtualAddress);
        }
    }
    return nullptr;
}

const IMAGE_DATA_DIRECTORY &Directory(const Image &image, int index) {
    return image.directories[index];
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return (char)toupper(c); });
    return text;
}

// One node of a version resource: header, key, value and children, all 32-bit aligned.
struct VersionNode {
    std::string key;
    const BYTE *value;
    WORD value_length;
    WORD type;  // 1: text, value_length in characters
    const BYTE *children;
    const BYTE *end;
};

const BYTE *Align4(const BYTE *base, const BYTE *p) { return base + ((p - base + 3) & ~3); }

VersionNode ParseVersionNode(const BYTE *base, const BYTE *p) {
    VersionNode node;
    WORD length = *reinterpret_cast<const WORD *>(p);
    node.value_length = *reinterpret_cast<const WORD *>(p + 2);
    node.type = *reinterpret_cast<const WORD *>(p + 4);
    const WCHAR *key = reinterpret_cast<const WCHAR *>(p + 6);
    node.key = Utf8(key);
    node.value = Align4(base, p + 6 + (lstrlenW(key) + 1) * sizeof(WCHAR));
    size_t value_bytes = node.type == 1 ? node.value_length * sizeof(WCHAR) : node.value_length;
    node.children = Align4(base, node.value + value_bytes);
    node.end = p + length;
    return node;
}

std::vector<VersionNode> Children(const BYTE *base, const VersionNode &parent) {
    std::vector<VersionNode> children;
    for (const BYTE *p = parent.children; p < parent.end;) {
        VersionNode child = ParseVersionNode(base, p);
        if (child.end <= p) break;
        children.push_back(child);
        p = Align4(base, child.end);
    }
    return children;
}

}  // namespace

WORD MachineType(const std::string &path) {
    Image image = LoadImageFile(path);
    return image.file != nullptr ? image.file->Machine : 0;
}

std::vector<std::string> ImportedDlls(const std::string &path) {
    std::vector<std::string> dlls;
    Image image = LoadImageFile(path);
    if (image.file == nullptr) return dlls;
    auto descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(
        AtRva(image, Directory(image, IMAGE_DIRECTORY_ENTRY_IMPORT).VirtualAddress));
    for (; descriptor != nullptr && descriptor->Name != 0; ++descriptor) {
        dlls.push_back(Upper(AtRva(image, descriptor->Name)));
    }
    return dlls;
}

std::vector<std::string> ExportedNames(const std::string &path) {
    std::vector<std::string> names;
    Image image = LoadImageFile(path);
    if (image.file == nullptr) return names;
    DWORD rva = Directory(image, IMAGE_DIRECTORY_ENTRY_EXPORT).VirtualAddress;
    if (rva == 0) return names;
    auto exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY *>(AtRva(image, rva));
    auto name_rvas = reinterpret_cast<const DWORD *>(AtRva(image, exports->AddressOfNames));
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) names.push_back(AtRva(image, name_rvas[i]));
    return names;
}

VersionStrings ReadVersionStrings(const std::string &path) {
    VersionStrings strings;
    HMODULE module = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (module == NULL) return strings;
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), RT_VERSION);
    const BYTE *base = resource != NULL
                           ? static_cast<const BYTE *>(LockResource(LoadResource(module, resource)))
                           : nullptr;
    if (base != nullptr) {
        for (const VersionNode &info : Children(base, ParseVersionNode(base, base))) {
            if (info.key != "StringFileInfo") continue;
            for (const VersionNode &table : Children(base, info)) {
                strings.table_name = table.key;
                for (const VersionNode &s : Children(base, table)) {
                    const WCHAR *text = reinterpret_cast<const WCHAR *>(s.value);
                    size_t length = s.value_length == 0 ? 0 : lstrlenW(text);
                    strings.values.push_back({s.key, Utf8(std::wstring(text, length))});
                }
            }
        }
    }
    FreeLibrary(module);
    return strings;
}

void *PatchImport(HMODULE module, const char *dll, const char *function, void *replacement) {
    auto base = reinterpret_cast<BYTE *>(module);
    auto nt = reinterpret_cast<IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<IMAGE_DOS_HEADER *>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
    for (; descriptor->Name != 0; ++descriptor) {
        if (lstrcmpiA(reinterpret_cast<char *>(base + descriptor->Name), dll) != 0) continue;
        auto names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + descriptor->OriginalFirstThunk);
        auto slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto by_name = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<char *>(by_name->Name), function) != 0) continue;
            DWORD protection;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                           &protection);
            void *previous = reinterpret_cast<void *>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return previous;
        }
    }
    return nullptr;
}
