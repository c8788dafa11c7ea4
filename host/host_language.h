// The language the host speaks: its resources hold English and Japanese, and it takes the one
// that matches the user's Windows display language.
#ifndef REFHOST_HOST_LANGUAGE_H
#define REFHOST_HOST_LANGUAGE_H

#include <windows.h>

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// Japanese for any Japanese display language, English for every other one: chosen here rather
// than left to the resource loader, whose fallback for a third language is not English on
// every system.
inline LANGID HostLanguageFor(LANGID display_language) {
    return PRIMARYLANGID(display_language) == LANG_JAPANESE ? kJapanese : kEnglish;
}

inline LANGID UserLanguage(void) { return HostLanguageFor(GetUserDefaultUILanguage()); }

#endif
