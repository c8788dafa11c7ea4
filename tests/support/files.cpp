#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <sstream>

const char kDefaultSettingsText[] =
    "[setting]\n"
    "TextColor1Enable=0\n"
    "TextColor1=0x000000\n"
    "TextColor2Enable=0\n"
    "TextColor2=0x000000\n"
    "TextBkColor1Enable=1\n"
    "TextBkColor1=0xF0F0F0\n"
    "TextBkColor2Enable=0\n"
    "TextBkColor2=0xE0E0E0\n";

const char kCustomSettingsText[] =
    "[setting]\n"
    "TextColor1Enable=1\n"
    "TextColor1=0x0000FF\n"
    "TextColor2Enable=0\n"
    "TextColor2=0x00FF00\n"
    "TextBkColor1Enable=1\n"
    "TextBkColor1=0x123456\n"
    "TextBkColor2Enable=2\n"
    "TextBkColor2=0xABCDEF\n";
const RowColorSettings kCustomSettings = {1, 0x0000FF, 0, 0x00FF00, 1, 0x123456, 2, 0xABCDEF};

std::string ExeDir() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string dir(path, length);
    return dir.substr(0, dir.find_last_of('\\'));
}

std::string SettingsFile() { return ExeDir() + "\\altrowtint.ini"; }

std::string PluginPath(const char *file_name) {
    return ExeDir() + "\\..\\..\\plugin\\" + file_name;
}

std::vector<BuiltPair> PairsCheckedAsFiles() {
    const std::string own = ExeDir() + "\\..\\..\\plugin\\";
#ifdef _WIN64
    return {{"x64", IMAGE_FILE_MACHINE_AMD64, own},
            {"i686", IMAGE_FILE_MACHINE_I386, ExeDir() + "\\..\\..\\..\\i686\\plugin\\"}};
#else
    return {{"i686", IMAGE_FILE_MACHINE_I386, own}};
#endif
}

bool FileExists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {
// Narrow paths go through the ANSI code page, wide ones name any folder.
template <typename Char>
std::string ReadBytes(const std::basic_string<Char> &path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

template <typename Char>
void WriteBytes(const std::basic_string<Char> &path, const std::string &bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << bytes;
}
}  // namespace

std::string ReadFileBytes(const std::string &path) { return ReadBytes(path); }
std::string ReadFileBytes(const std::wstring &path) { return ReadBytes(path); }
void WriteFileBytes(const std::string &path, const std::string &bytes) { WriteBytes(path, bytes); }
void WriteFileBytes(const std::wstring &path, const std::string &bytes) { WriteBytes(path, bytes); }

std::wstring Widen(const std::string &text) {
    std::wstring wide(text.size(), L'\0');
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                     &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length : 0);
    return wide;
}

std::string Utf8(const std::wstring &text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), NULL, 0,
                                   NULL, NULL);
    std::string bytes(size > 0 ? size : 0, '\0');
    if (size > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                            NULL, NULL);
    }
    return bytes;
}

void RemoveSettingsFile() {
    SetFileAttributesA(SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(SettingsFile().c_str());
}

std::string WithLineEnds(const std::string &text, const char *eol) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += eol;
        } else {
            out += c;
        }
    }
    return out;
}

std::string WithoutCarriageReturns(std::string bytes) {
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    return bytes;
}

void WriteSettingsFile(const std::string &text) {
    RemoveSettingsFile();
    WriteFileBytes(SettingsFile(), WithLineEnds(text, "\r\n"));
}

std::string ReadSettingsText() { return WithoutCarriageReturns(ReadFileBytes(SettingsFile())); }

RowColors ExpectedRowColors(const RowColorSettings &s, DWORD_PTR row, RowColors filled_in) {
    bool first = row % 2 == 0;
    RowColors colors = filled_in;
    if (first ? s.TextColor1Enable : s.TextColor2Enable)
        colors.text = first ? s.TextColor1 : s.TextColor2;
    if (first ? s.TextBkColor1Enable : s.TextBkColor2Enable)
        colors.background = first ? s.TextBkColor1 : s.TextBkColor2;
    return colors;
}

bool StartChildProcess(const std::wstring &exe, const std::string &arguments, const wchar_t *folder,
                       HANDLE out, HANDLE err, PROCESS_INFORMATION *process) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::wstring command = L"\"" + exe + L"\" " + Widen(arguments);
    if (CreateProcessW(exe.c_str(), &command[0], NULL, NULL, TRUE, 0, NULL, folder, &startup,
                       process)) {
        return true;
    }
    ZeroMemory(process, sizeof *process);
    return false;
}
