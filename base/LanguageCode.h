// The language of every visible text, chosen once at start-up from the user's UI language.
#pragma once

#include <cstdint>

#include "base/CatalogKey.h"

namespace yk {

inline constexpr int kLanguageJapanese = 7;
inline constexpr int kLanguageChineseTaiwan = 11;
inline constexpr int kLanguageChineseOther = 12;
inline constexpr int kLanguageEnglish = 13;

// Written once by start-up before any window exists, read by everything that shows text.
extern int languageCode;

// The language code for a UI language id (only its low 16 bits count).
int languageCodeFor(std::uint32_t uiLanguage);

// The string id of a key under a language code; every code but 7, 11 and 12 means English.
std::uint16_t catalogStringId(const CatalogKey& key, int code);

// The resource language (primary | sub << 10) under which the string id of that code is stored.
std::uint16_t catalogResourceLanguage(int code);

} // namespace yk
