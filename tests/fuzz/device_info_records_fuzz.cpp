// The record chain of the device information block on any 512 bytes: every text within its record's
// capacity, free of zero bytes and taken from the first 256 bytes, and nothing past those read at all.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "device/DeviceInformation.h"
#include "tests/fuzz/FuzzInput.h"

using namespace yk;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

DeviceInfoRecords walk(const std::vector<std::uint8_t>& block)
{
    return getDevice_InfoPage(std::span<const std::uint8_t, kDeviceInfoSize>(block.data(), kDeviceInfoSize));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    // On the heap and exactly block-sized, so any read past its end is ASan's finding.
    std::vector<std::uint8_t> block(kDeviceInfoSize);
    input.takeInto(block);

    const auto records = walk(block);
    require(records[2].empty()); // not used, never read
    for (std::size_t i = 0; i < kDeviceInfoRecords; ++i) {
        const auto& text = records[i];
        require(text.size() <= kRecordTextCapacity[i]);
        require(text.find('\0') == std::string::npos);
        if (text.empty())
            continue;
        // Taken whole from the record area: its bytes stand together there.
        const auto area = block.begin() + kRecordArea;
        require(std::search(block.begin(), area, text.begin(), text.end(),
                            [](std::uint8_t byte, char c) { return byte == static_cast<std::uint8_t>(c); }) != area);
    }

    // Whatever lies past byte 255 makes no difference.
    auto changed = block;
    for (std::size_t i = kRecordArea; i < changed.size(); ++i)
        changed[i] = static_cast<std::uint8_t>(~changed[i]);
    require(walk(changed) == records);
    return 0;
}
