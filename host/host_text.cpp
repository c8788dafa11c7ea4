#include "host_text.h"

#include <wchar.h>

#include <algorithm>
#include <vector>

#include "host_language.h"
#include "host_resource.h"
#include "text_format.h"

namespace {

enum { STRINGS_PER_BLOCK = 16 };          // a string table resource holds them in blocks of 16
const DWORD kLargestWin32Error = 0xFFFF;  // larger codes are HRESULTs, read in hex
const wchar_t kSubjectInsert[] = L"%1";
const wchar_t kTrailingSpace[] = L" \t\r\n";
const wchar_t kFullStops[] = L".\u3002";  // English and Japanese

LANGID LanguageOf(Reader reader) { return reader == READER_SCRIPT ? kEnglish : UserLanguage(); }

// LoadString takes whichever language the loader picks; the block of the wanted language is read
// here instead. Each of its 16 entries is a length followed by that many characters.
std::wstring LoadHostString(UINT id, LANGID language) {
    HMODULE module = GetModuleHandleW(NULL);
    HRSRC block = FindResourceExW(module, reinterpret_cast<LPCWSTR>(RT_STRING),
                                  MAKEINTRESOURCEW(id / STRINGS_PER_BLOCK + 1), language);
    if (block == NULL) return std::wstring();
    const wchar_t *entry = static_cast<const wchar_t *>(LockResource(LoadResource(module, block)));
    if (entry == NULL) return std::wstring();
    for (UINT skipped = 0; skipped < id % STRINGS_PER_BLOCK; ++skipped) entry += 1 + *entry;
    return std::wstring(entry + 1, *entry);
}

// FormatMessage's own formatting, so that each language puts the inserts where it needs them.
std::wstring Insert(const std::wstring &format, std::initializer_list<std::wstring> inserts) {
    std::vector<DWORD_PTR> arguments(inserts.size());
    std::transform(
        inserts.begin(), inserts.end(), arguments.begin(),
        [](const std::wstring &insert) { return reinterpret_cast<DWORD_PTR>(insert.c_str()); });
    wchar_t *text = NULL;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        format.c_str(), 0, 0, reinterpret_cast<LPWSTR>(&text), 0,
        reinterpret_cast<va_list *>(arguments.data()));
    std::wstring result(text != NULL ? text : L"", length);
    LocalFree(text);
    return result;
}

// Without line ends and the closing full stop: the words go into a sentence of the host's.
void TrimSentence(std::wstring *words) {
    words->erase(words->find_last_not_of(kTrailingSpace) + 1);
    if (!words->empty() && wcschr(kFullStops, words->back()) != NULL) words->pop_back();
}

}  // namespace

std::wstring HostText(UINT id, Reader reader, std::initializer_list<std::wstring> inserts) {
    std::wstring text = LoadHostString(id, LanguageOf(reader));
    if (inserts.size() == 0 || text.empty()) return text;
    return Insert(text, inserts);
}

HMENU LoadHostMenu(UINT id) {
    HMODULE module = GetModuleHandleW(NULL);
    HRSRC found = FindResourceExW(module, reinterpret_cast<LPCWSTR>(RT_MENU), MAKEINTRESOURCEW(id),
                                  UserLanguage());
    const void *menu = found != NULL ? LockResource(LoadResource(module, found)) : NULL;
    return menu != NULL ? LoadMenuIndirectW(menu) : NULL;
}

std::wstring SystemReason(DWORD error, Reader reader, const std::wstring &subject) {
    // Language 0: the user's own, as Windows chooses it; a script gets English.
    LANGID language = reader == READER_SCRIPT ? kEnglish : 0;
    wchar_t *words = NULL;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        NULL, error, language, reinterpret_cast<LPWSTR>(&words), 0, NULL);
    std::wstring reason(words != NULL ? words : L"", length);
    LocalFree(words);
    TrimSentence(&reason);
    if (reason.empty()) {
        const wchar_t *code = error > kLargestWin32Error ? L"0x%08lX" : L"%lu";
        return HostText(IDS_UNKNOWN_ERROR, reader, {FormatText(code, error)});
    }
    size_t insert = reason.find(kSubjectInsert);
    if (insert != std::wstring::npos) reason.replace(insert, wcslen(kSubjectInsert), subject);
    return reason;
}
