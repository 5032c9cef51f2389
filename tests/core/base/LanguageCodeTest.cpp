#include <gtest/gtest.h>

#include <set>

#include "base/CatalogKeys.h"
#include "base/LanguageCode.h"

namespace yk {
namespace {

TEST(LanguageCode, ChosenFromTheUiLanguage)
{
    struct Case {
        std::uint32_t uiLanguage;
        int expected;
    };
    const Case cases[] = {
        {0x0004, kLanguageChineseOther}, {0x0804, kLanguageChineseOther}, {0x0C04, kLanguageChineseOther},
        {0x1404, kLanguageChineseOther}, {0x0404, kLanguageChineseTaiwan}, {0x0411, kLanguageJapanese},
        {0x0409, kLanguageEnglish},      {0x0407, kLanguageEnglish},      {0x1004, kLanguageEnglish},
        {0x0000, kLanguageEnglish},      {0x0412, kLanguageEnglish},
        // Only the low 16 bits are the language.
        {0x00010411, kLanguageJapanese}, {0xFFFF0404, kLanguageChineseTaiwan},
    };
    for (const auto& c : cases)
        EXPECT_EQ(languageCodeFor(c.uiLanguage), c.expected) << std::hex << c.uiLanguage;
}

TEST(LanguageCode, PicksTheStringIdAndResourceLanguageOfEachCode)
{
    const CatalogKey key = IDS_CONFIRM_QUIT;
    EXPECT_EQ(catalogStringId(key, kLanguageJapanese), 3002);
    EXPECT_EQ(catalogStringId(key, kLanguageChineseTaiwan), 1002);
    EXPECT_EQ(catalogStringId(key, kLanguageChineseOther), 1002);
    EXPECT_EQ(catalogStringId(key, kLanguageEnglish), 103);
    EXPECT_EQ(catalogStringId(key, 0), 103);
    EXPECT_EQ(catalogStringId(key, 8), 103);
    EXPECT_EQ(catalogResourceLanguage(kLanguageJapanese), 0x0411);
    EXPECT_EQ(catalogResourceLanguage(kLanguageChineseOther), 0x0404);
    EXPECT_EQ(catalogResourceLanguage(kLanguageEnglish), 0x0409);
}

TEST(CatalogKeys, IdsLieInTheirLanguageBlocksAndAreUnique)
{
    std::set<int> seen;
    for (const CatalogKey& key : kAllCatalogKeys) {
        EXPECT_GE(key.english, 101);
        EXPECT_LE(key.english, 239);
        EXPECT_GE(key.chinese, 1000);
        EXPECT_LE(key.chinese, 1138);
        EXPECT_EQ(key.japanese, key.chinese + 2000);
        EXPECT_TRUE(seen.insert(key.english).second) << key.english;
        EXPECT_TRUE(seen.insert(key.chinese).second) << key.chinese;
    }
}

} // namespace
} // namespace yk
