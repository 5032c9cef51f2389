#include "base/LanguageCode.h"

namespace yk {

int languageCode = kLanguageEnglish;

int languageCodeFor(std::uint32_t uiLanguage)
{
    switch (uiLanguage & 0xFFFF) {
    case 0x0004: // Chinese, neutral
    case 0x0804: // China
    case 0x0C04: // Hong Kong
    case 0x1404: // Macao
        return kLanguageChineseOther;
    case 0x0404:
        return kLanguageChineseTaiwan;
    case 0x0411:
        return kLanguageJapanese;
    default:
        return kLanguageEnglish;
    }
}

std::uint16_t catalogStringId(const CatalogKey& key, int code)
{
    if (code == kLanguageJapanese)
        return key.japanese;
    if (code == kLanguageChineseTaiwan || code == kLanguageChineseOther)
        return key.chinese;
    return key.english;
}

std::uint16_t catalogResourceLanguage(int code)
{
    if (code == kLanguageJapanese)
        return 0x0411;
    if (code == kLanguageChineseTaiwan || code == kLanguageChineseOther)
        return 0x0404;
    return 0x0409;
}

} // namespace yk
