#include "device/StorageDescriptor.h"

#include <algorithm>
#include <cstring>

namespace yk {

namespace {

// Byte offsets inside the descriptor (version, size, four type bytes, then the string offsets).
constexpr std::size_t kVendorOffsetField = 12;
constexpr std::size_t kProductOffsetField = 16;
constexpr std::size_t kHeaderSize = 36;

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void writeU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::string readText(std::span<const std::uint8_t> bytes, std::uint32_t offset)
{
    if (offset == 0 || offset >= bytes.size())
        return {};
    const auto begin = bytes.begin() + offset;
    const auto end = std::find(begin, bytes.end(), std::uint8_t{0});
    return std::string(begin, end);
}

} // namespace

std::optional<StorageIdentity> parseStorageDescriptor(std::span<const std::uint8_t> descriptor)
{
    if (descriptor.size() < kHeaderSize)
        return std::nullopt;
    const std::uint32_t vendorOffset = readU32(descriptor, kVendorOffsetField);
    if (vendorOffset == 0 || vendorOffset >= descriptor.size())
        return std::nullopt;
    return StorageIdentity{readText(descriptor, vendorOffset),
                           readText(descriptor, readU32(descriptor, kProductOffsetField))};
}

std::vector<std::uint8_t> buildStorageDescriptor(const StorageIdentity& identity)
{
    std::vector<std::uint8_t> bytes(kHeaderSize, 0);
    writeU32(bytes, 0, 1);
    const auto append = [&bytes](const std::string& text) {
        const auto offset = static_cast<std::uint32_t>(bytes.size());
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.push_back(0);
        return offset;
    };
    writeU32(bytes, kVendorOffsetField, append(identity.vendorId));
    writeU32(bytes, kProductOffsetField, append(identity.productId));
    writeU32(bytes, 4, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

} // namespace yk
