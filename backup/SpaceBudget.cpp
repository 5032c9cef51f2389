#include "backup/SpaceBudget.h"

namespace yk {

SpaceBudget::SpaceBudget(std::uint64_t clusterBytes)
    : clusterBytes_(clusterBytes == 0 ? kUnknownClusterBytes : clusterBytes)
{
}

bool SpaceBudget::fits(std::uint64_t bytes, std::uint64_t margin, const std::function<std::uint64_t()>& askFreeBytes)
{
    const auto room = [&](std::uint64_t free, std::uint64_t spare) {
        return free >= bytes && free - bytes >= margin && free - bytes - margin >= spare;
    };
    if (bound_ && filesSinceQuestion_ < kFilesPerQuestion && room(*bound_, kSlackBytes))
        return true;
    const std::uint64_t free = askFreeBytes();
    ++questions_;
    bound_ = free;
    filesSinceQuestion_ = 0;
    return room(free, 0);
}

void SpaceBudget::spend(std::uint64_t bytes)
{
    if (!bound_)
        return;
    *bound_ = *bound_ > bytes ? *bound_ - bytes : 0;
}

void SpaceBudget::spendFile(std::uint64_t bytes)
{
    ++filesSinceQuestion_;
    const std::uint64_t clusters = bytes / clusterBytes_ + (bytes % clusterBytes_ != 0 ? 1 : 0);
    // Its clusters, and one more for the entries its name adds to the folder.
    spend(clusters > UINT64_MAX / clusterBytes_ - 1 ? UINT64_MAX : (clusters + 1) * clusterBytes_);
}

void SpaceBudget::spendFolder()
{
    // The folder's own first cluster and its entry in the folder above.
    spend(2 * clusterBytes_);
}

} // namespace yk
