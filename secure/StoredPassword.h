// The stored form of the default password: hidden from a casual look at the setting, not protected.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "secure/PasswordKey.h"

namespace yk {

// The stored value is the key XORed with this phrase.
inline constexpr std::string_view kScramblePhrase = "Northbay Harvests Trading Co.";

// out[i] = in[i] XOR phrase[i mod 29]. Applying it twice gives the input back.
void scramblePassword(std::span<const std::uint8_t, kPasswordKeySize> in,
                      std::span<std::uint8_t, kPasswordKeySize> out);

// The 32 bytes to store for a key.
std::array<std::uint8_t, kPasswordKeySize> storedPasswordBytes(const PasswordKey& key);

// Reads a stored value back into `key`: false for an empty value (no password set). At most the first
// 32 bytes are used; a shorter value leaves the rest of `key` as the caller set it.
bool unscrambleStoredPassword(std::span<const std::uint8_t> stored, PasswordKey& key);

} // namespace yk
