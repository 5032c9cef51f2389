#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "backup/SpaceBudget.h"

namespace yk {
namespace {

constexpr std::uint64_t kMargin = 0xA00000;

// A drive that fills as files are written: each takes whole clusters, and now and then its folder grows by
// a cluster. Every decision of the budget must be the one that asking before each file gives.
struct Drive {
    std::uint64_t free;
    std::uint64_t cluster;

    void write(std::uint64_t bytes, std::mt19937& random)
    {
        std::uint64_t used = (bytes + cluster - 1) / cluster * cluster;
        if (random() % 8 == 0)
            used += cluster; // the folder's entries took a new cluster
        free = free > used ? free - used : 0;
    }
};

TEST(SpaceBudget, RefusesExactlyTheFilesThatAskingBeforeEachFileRefuses)
{
    const struct {
        std::uint64_t free;
        std::uint64_t cluster;      // the drive's
        std::uint64_t toldCluster;  // what the budget is told (0: unknown)
        std::uint64_t largestFile;
    } cases[] = {
        {200ull << 20, 32768, 32768, 4096},            // many small files onto a card with room for some
        {90ull << 20, 131072, 131072, 300000},         // large clusters
        {40ull << 20, 4096, 0, 2'000'000},             // cluster size unknown
        {kMargin + 100000, 32768, 32768, 50000},       // within a file or two of the margin from the start
        {(1ull << 30), 32768, 32768, 64ull << 20},     // large files
    };
    for (const auto& c : cases) {
        std::mt19937 random(static_cast<unsigned>(c.free));
        Drive drive{c.free, c.cluster};
        SpaceBudget budget(c.toldCluster);
        int refused = 0;
        int written = 0;
        for (int file = 0; file < 20000 && refused < 50; ++file) {
            const std::uint64_t bytes = random() % (c.largestFile + 1);
            const bool asked = drive.free >= bytes && drive.free - bytes >= kMargin;
            const bool fits = budget.fits(bytes, kMargin, [&] { return drive.free; });
            ASSERT_EQ(fits, asked) << "file " << file << " of " << bytes << " bytes, " << drive.free << " free";
            if (!fits) {
                ++refused;
                continue;
            }
            drive.write(bytes, random);
            budget.spendFile(bytes);
            ++written;
        }
        EXPECT_GT(written, 0);
    }
}

TEST(SpaceBudget, AsksRarelyFarFromFullAndAtEveryFileNearIt)
{
    std::mt19937 random(7);
    Drive roomy{8ull << 30, 32768};
    SpaceBudget far(32768);
    for (int file = 0; file < 10000; ++file) {
        ASSERT_TRUE(far.fits(300, kMargin, [&] { return roomy.free; }));
        roomy.write(300, random);
        far.spendFile(300);
    }
    // Once, then once per kFilesPerQuestion files.
    EXPECT_LE(far.questions(), 10000 / SpaceBudget::kFilesPerQuestion + 1);

    Drive tight{kMargin + SpaceBudget::kSlackBytes / 2, 32768};
    SpaceBudget near(32768);
    int files = 0;
    for (; files < 100 && near.fits(300, kMargin, [&] { return tight.free; }); ++files) {
        tight.write(300, random);
        near.spendFile(300);
    }
    EXPECT_EQ(near.questions(), static_cast<std::uint64_t>(files) + (files < 100 ? 1 : 0));
}

TEST(SpaceBudget, FoldersAndForgettingKeepTheBoundBelowTheDrive)
{
    std::uint64_t free = 1ull << 30;
    SpaceBudget budget(65536);
    ASSERT_TRUE(budget.fits(1000, kMargin, [&] { return free; }));
    const std::uint64_t asked = budget.questions();
    budget.spendFolder();
    // Something the budget does not know of takes almost everything: after forget() the drive is asked.
    free = kMargin + 500;
    budget.forget();
    EXPECT_FALSE(budget.fits(1000, kMargin, [&] { return free; }));
    EXPECT_EQ(budget.questions(), asked + 1);
}

} // namespace
} // namespace yk
