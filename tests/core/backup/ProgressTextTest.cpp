#include <gtest/gtest.h>

#include "base/LanguageCode.h"
#include "backup/ProgressText.h"

namespace yk {
namespace {

TEST(ProgressText, ByteAmountsPickTheLargestWholeUnit)
{
    struct Case {
        std::uint64_t bytes;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, L"0.00 KB"},          {512, L"0.50 KB"},           {1023, L"1.00 KB"},
        {1024, L"1.00 KB"},       {1048575, L"1024.00 KB"},    {1048576, L"1.00 MB"},
        {1610612736, L"1.50 GB"}, {1073741823, L"1024.00 MB"}, {5368709120ull * 1024, L"5120.00 GB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatByteAmount(c.bytes), c.text) << c.bytes;
    EXPECT_EQ(byteLine(512, 1048576), L"0.50 KB/1.00 MB");
}

TEST(ProgressText, PercentRoundsToOneDecimalThenTakesTheWholePart)
{
    struct Case {
        std::uint64_t done, total;
        int percent;
    };
    const Case cases[] = {
        {512, 1048576, 0}, {9996, 10000, 100}, {9994, 10000, 99}, {1, 3, 33},
        {2, 3, 66},        {0, 0, 0},          {5, 0, 0},         {10, 10, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(progressPercent(c.done, c.total), c.percent) << c.done << "/" << c.total;
}

TEST(ProgressText, RemainingCountsTheFileInProgress)
{
    // A run of 5 files: 5 when the dialog opens, 5 during the first file, 1 during the last.
    EXPECT_EQ(remainingItems({5, 0, 0, 0, 0, 0}), 5);
    EXPECT_EQ(remainingItems({5, 1, 0, 0, 0, 0}), 5);
    EXPECT_EQ(remainingItems({5, 3, 1, 1, 0, 0}), 3);
    EXPECT_EQ(remainingItems({5, 5, 2, 2, 0, 0}), 1);
    EXPECT_EQ(remainingItems({5, 7, 2, 4, 0, 0}), 0) << "files that appeared after the count";
    EXPECT_EQ(progressLine(L"Backuping", 12, L"Items", L"to", L"Normal Backup"),
              L"Backuping 12 Items to\u300CNormal Backup\u300D");
}

TEST(ProgressText, HeadingsJoinWordsByLanguage)
{
    EXPECT_EQ(resultHeading(L"Backup", L"Complete", kLanguageEnglish), L"Backup Complete");
    EXPECT_EQ(resultHeading(L"Restore", L"Cancel", 0), L"Restore Cancel");
    EXPECT_EQ(resultHeading(L"\u5099\u4EFD", L"\u5931\u6557", kLanguageChineseTaiwan), L"\u5099\u4EFD\u5931\u6557");
    EXPECT_EQ(resultHeading(L"\u5099\u4EFD", L"\u5931\u6557", kLanguageChineseOther), L"\u5099\u4EFD\u5931\u6557");
    EXPECT_EQ(resultHeading(L"B", L"C", kLanguageJapanese), L"BC");

    EXPECT_EQ(noItemsMessage(L"No items to", L"Backup", kLanguageEnglish), L"No items to Backup");
    EXPECT_EQ(noItemsMessage(L"N", L"R", kLanguageChineseTaiwan), L"NR");
    EXPECT_EQ(noItemsMessage(L"N", L"R", kLanguageJapanese), L"N\r\nR");
}

TEST(ProgressText, UndoneAndTheNoItemsCase)
{
    // A cancelled restore that restored 3 of 10 files and skipped 2: 5 undone.
    const RunCounts cancelled{10, 6, 2, 3, 1, 0};
    EXPECT_EQ(undoneItems(cancelled), 5);
    EXPECT_FALSE(showsNoItemsMessage(RunStatus::Cancel, cancelled));
    EXPECT_EQ(countText(3), L" 3 ");

    const RunCounts allSkipped{4, 4, 4, 0, 0, 0};
    EXPECT_EQ(undoneItems(allSkipped), 0);
    EXPECT_TRUE(showsNoItemsMessage(RunStatus::Complete, allSkipped));
    EXPECT_TRUE(showsNoItemsMessage(RunStatus::Complete, RunCounts{}));
    EXPECT_FALSE(showsNoItemsMessage(RunStatus::Fail, RunCounts{}));
    EXPECT_FALSE(showsNoItemsMessage(RunStatus::Complete, {4, 4, 3, 1, 0, 0}));
    EXPECT_FALSE(showsNoItemsMessage(RunStatus::Complete, {4, 4, 3, 0, 1, 0})) << "a failed file is undone";
    EXPECT_EQ(undoneItems({2, 3, 1, 2, 0, 0}), 0) << "never below zero";
}

TEST(ProgressText, PictureTypeByKindAndStatus)
{
    struct Case {
        RunKind kind;
        RunStatus status;
        int type;
    };
    const Case cases[] = {
        {RunKind::NormalBackup, RunStatus::Complete, 1},  {RunKind::NormalBackup, RunStatus::Fail, 2},
        {RunKind::EncryptedBackup, RunStatus::Cancel, 3}, {RunKind::NormalRestore, RunStatus::Complete, 4},
        {RunKind::DecryptRestore, RunStatus::Fail, 5},    {RunKind::NormalRestore, RunStatus::Cancel, 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resultPictureType(c.kind, c.status), c.type);
}

} // namespace
} // namespace yk
