// The card's free space through a run of many files without asking the drive before every one of them.
//
// The budget is a lower bound of the free space: the last answer of the drive, less what every file written
// since may have taken (its size rounded up to whole clusters, and a cluster more for its folder's entries).
// While that bound shows room for a file with the margin and a slack to spare, the file fits without a
// question; otherwise the drive is asked, exactly as it would be before every file. So a file is refused
// exactly when asking would have refused it. The drive is also asked at least every kFilesPerQuestion
// files, and again after anything that may have used space the budget does not know of (a failed write).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace yk {

class SpaceBudget {
public:
    // Used when the drive does not say its cluster size: larger than any card's.
    static constexpr std::uint64_t kUnknownClusterBytes = 1 << 20;
    // Room the bound must show beyond the margin before it answers on its own.
    static constexpr std::uint64_t kSlackBytes = 64ull << 20;
    static constexpr std::uint32_t kFilesPerQuestion = 1024;

    explicit SpaceBudget(std::uint64_t clusterBytes);

    // Whether `bytes` can be written leaving `margin` free; `askFreeBytes` asks the drive.
    bool fits(std::uint64_t bytes, std::uint64_t margin, const std::function<std::uint64_t()>& askFreeBytes);
    // A file of that many bytes was written.
    void spendFile(std::uint64_t bytes);
    // A folder was made.
    void spendFolder();
    // The next question goes to the drive.
    void forget() { bound_.reset(); }

    // How many times the drive was asked (for tests and benchmarks).
    std::uint64_t questions() const { return questions_; }

private:
    void spend(std::uint64_t bytes);

    std::uint64_t clusterBytes_;
    std::optional<std::uint64_t> bound_;
    std::uint32_t filesSinceQuestion_ = 0;
    std::uint64_t questions_ = 0;
};

} // namespace yk
