#include <gtest/gtest.h>

#include "base/LanguageCode.h"
#include "base/TextCatalog.h"

namespace yk {
namespace {

constexpr int kAllCodes[] = {kLanguageEnglish, kLanguageChineseTaiwan, kLanguageChineseOther, kLanguageJapanese};

TEST(TextCatalog, EveryKeyHasATextInEveryLanguage)
{
    for (const CatalogKey& key : kAllCatalogKeys) {
        for (const int code : kAllCodes)
            EXPECT_FALSE(loadCatalogText(key, code).empty()) << key.english << " under code " << code;
        EXPECT_EQ(loadCatalogText(key, kLanguageChineseTaiwan), loadCatalogText(key, kLanguageChineseOther));
    }
}

TEST(TextCatalog, FixedTextsStandAsWritten)
{
    struct Case {
        CatalogKey key;
        const wchar_t* english;
        const wchar_t* chinese;
        const wchar_t* japanese;
    };
    const Case cases[] = {
        {IDS_APP_NAME, L"Yarrowkeep", L"Yarrowkeep", L"Yarrowkeep"},
        {IDS_OK, L"OK", L"確定", L"確認"},
        {IDS_YES, L"Yes", L"是", L"はい"},
        {IDS_NO, L"No", L"否", L"いいえ"},
        {IDS_CONFIRM_QUIT, L"Are you sure you want to quit?", L"確定要關閉Yarrowkeep嗎?",
         L"Yarrowkeep を閉じてもよろしいですか?"},
        {IDS_HOME_NOT_CONNECTED, L"Yarrowkeep not Connected", L"未偵測到Yarrowkeep，請插入傳輸線",
         L"Yarrowkeep が検出されません"},
        {IDS_AUTO_BACKUP_ON_CONNECT, L"Auto backup \r\nwhen connected", L"下次啟動時自動備份",
         L"次回起動時の自動\r\nバックアップ"},
        {IDS_CONTACT_US, L"Contact Us", L"聯絡WBX", L"お問い合わせ"},
        {IDS_ENABLE_SD_FAILED, L"Failed to Enable SD Card.\r\nPlease check if other ports are using SD card.",
         L"無法取得記憶卡使用權限，\r\n請確認記憶卡是否正在被iPhone/iPad使用中",
         L"SDカードの使用許可の取得に失敗しました。他のポートが SDカードを使用していないか確認してください。"},
        {IDS_BACKING_UP, L"Backuping", nullptr, nullptr},
        {IDS_PASSWORD_TOO_LONG, L"Password size must be <=32", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(loadCatalogText(c.key, kLanguageEnglish), c.english);
        if (c.chinese) {
            EXPECT_EQ(loadCatalogText(c.key, kLanguageChineseOther), c.chinese);
        }
        if (c.japanese) {
            EXPECT_EQ(loadCatalogText(c.key, kLanguageJapanese), c.japanese);
        }
    }
}

TEST(TextCatalog, FollowsTheStartUpLanguage)
{
    const int saved = languageCode;
    languageCode = kLanguageJapanese;
    EXPECT_EQ(loadCatalogText(IDS_OK), L"確認");
    languageCode = kLanguageChineseTaiwan;
    EXPECT_EQ(loadCatalogText(IDS_OK), L"確定");
    languageCode = 8; // any other code is English
    EXPECT_EQ(loadCatalogText(IDS_OK), L"OK");
    languageCode = saved;
}

TEST(TextCatalog, MissingEntriesAreEmpty)
{
    // 123 sits in a block that exists; 3500 and 60000 in blocks that do not.
    const CatalogKey missing{123, 1022, 3022};
    for (const int code : kAllCodes)
        EXPECT_EQ(loadCatalogText(missing, code), L"");
    EXPECT_EQ(loadCatalogText(CatalogKey{60000, 1500, 3500}, kLanguageEnglish), L"");
    EXPECT_EQ(loadCatalogText(CatalogKey{60000, 1500, 3500}, kLanguageJapanese), L"");
    // An English id looked up under another language's resources is not there either.
    EXPECT_EQ(loadStringEntry(IDS_OK.english, 0x0411), L"");
}

} // namespace
} // namespace yk
