#include "base/TextCatalog.h"

#include <windows.h>

#include "base/LanguageCode.h"

namespace yk {

std::wstring loadStringEntry(std::uint16_t id, std::uint16_t resourceLanguage)
{
    // Strings are stored in blocks of 16, each entry a length followed by that many UTF-16 units.
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC block = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), resourceLanguage);
    if (!block)
        return {};
    const HGLOBAL loaded = LoadResource(module, block);
    const auto* data = static_cast<const WCHAR*>(LockResource(loaded));
    if (!data)
        return {};
    const DWORD units = SizeofResource(module, block) / sizeof(WCHAR);
    DWORD at = 0;
    for (unsigned entry = 0; entry < id % 16; ++entry) {
        if (at >= units)
            return {};
        at += 1 + data[at];
    }
    if (at >= units || at + 1 + data[at] > units)
        return {};
    return std::wstring(data + at + 1, data[at]);
}

std::wstring loadCatalogText(const CatalogKey& key, int code)
{
    return loadStringEntry(catalogStringId(key, code), catalogResourceLanguage(code));
}

std::wstring loadCatalogText(const CatalogKey& key)
{
    return loadCatalogText(key, languageCode);
}

} // namespace yk
