// The portable and the accelerated implementations behind Aes.h, open to tests and benchmarks.
#pragma once

#include <cstdint>
#include <span>

#include "secure/Aes.h"

namespace yk {

void aesEncryptBufferPortable(std::uint8_t* buffer, std::int32_t length,
                              std::span<const std::uint8_t, kAesKeySize> key);
void aesDecryptBufferPortable(std::uint8_t* buffer, std::int32_t length,
                              std::span<const std::uint8_t, kAesKeySize> key);

// True when the processor has the AES and SSE4.1 instructions (asked once with cpuid).
bool aesAcceleratedAvailable();

// Only to be called when `aesAcceleratedAvailable()` is true.
void aesEncryptBufferAccelerated(std::uint8_t* buffer, std::int32_t length,
                                 std::span<const std::uint8_t, kAesKeySize> key);
void aesDecryptBufferAccelerated(std::uint8_t* buffer, std::int32_t length,
                                 std::span<const std::uint8_t, kAesKeySize> key);

// True when the processor has VAES with AVX-512 (and the system saves the 512-bit registers).
bool aesWideAvailable();

// Only to be called when `aesWideAvailable()` is true.
void aesEncryptBufferWide(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key);
void aesDecryptBufferWide(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key);

// The number of 16-byte blocks a buffer operation of this length touches; 0 for a length of 0 or less.
inline std::size_t aesBlockCount(std::int32_t length)
{
    return length <= 0 ? 0 : (static_cast<std::size_t>(length) + kAesBlockSize - 1) / kAesBlockSize;
}

} // namespace yk
