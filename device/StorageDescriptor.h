// Decoding the storage device descriptor a disk returns for a property query.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace yk {

struct StorageIdentity {
    std::string vendorId;  // as reported, trailing spaces kept ("Generic ")
    std::string productId; // empty when the disk reports none
};

// Empty when the buffer is too short for the header or names no vendor identification. Strings end at
// their terminator or at the end of the buffer, whichever comes first.
std::optional<StorageIdentity> parseStorageDescriptor(std::span<const std::uint8_t> descriptor);

// The descriptor bytes a disk with these texts returns; the layout `parseStorageDescriptor` reads.
std::vector<std::uint8_t> buildStorageDescriptor(const StorageIdentity& identity);

} // namespace yk
