// AES-256 over whole buffers in the byte order of the encrypted backup files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace yk {

inline constexpr std::size_t kAesKeySize = 32;
inline constexpr std::size_t kAesBlockSize = 16;

// Encrypts ceil(length / 16) whole 16-byte blocks in place, each on its own (no chaining). The key and
// every block are byte-reversed around the standard AES-256 block operation: C = R(AES(R(K), R(P))).
// The buffer must hold all those blocks (the caller pads); a length of 0 or less does nothing. Uses the
// processor's AES instructions when it has them (the 512-bit ones first); the result is the same every way.
void aesEncryptBuffer(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key);

// The inverse of `aesEncryptBuffer`, with the same block count rule.
void aesDecryptBuffer(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key);

} // namespace yk
