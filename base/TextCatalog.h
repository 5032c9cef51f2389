// Loading catalog texts from the program's string table in the language chosen at start-up.
#pragma once

#include <cstdint>
#include <string>

#include "base/CatalogKeys.h"

namespace yk {

// The text of a key in the current language; empty when the string table has no such entry.
std::wstring loadCatalogText(const CatalogKey& key);

// The text of a key under a given language code (start-up's choice is `languageCode`).
std::wstring loadCatalogText(const CatalogKey& key, int code);

// One string table entry stored under a resource language; empty when there is none.
std::wstring loadStringEntry(std::uint16_t id, std::uint16_t resourceLanguage);

} // namespace yk
