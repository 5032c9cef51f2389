// The 32-byte key made from a password: the cipher key and the plain form of the stored password.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace yk {

inline constexpr std::size_t kPasswordKeySize = 32;
inline constexpr std::size_t kMaxPasswordBytes = kPasswordKeySize; // UTF-8 bytes, not characters
inline constexpr std::uint8_t kPasswordKeyFill = 0xDD;

// Wiped when it goes away, since it is the key itself.
struct PasswordKey {
    std::array<std::uint8_t, kPasswordKeySize> bytes{};

    PasswordKey() = default;
    PasswordKey(const PasswordKey&) = default;
    PasswordKey& operator=(const PasswordKey&) = default;
    ~PasswordKey();

    bool operator==(const PasswordKey&) const = default;
};

// True when a password of these UTF-8 bytes fits a key (at most 32 bytes).
inline bool passwordFitsKey(std::string_view utf8)
{
    return utf8.size() <= kMaxPasswordBytes;
}

// The password's UTF-8 bytes followed by 0xDD up to 32 bytes. Empty for an empty password or one of
// more than 32 bytes; the dialogs refuse both before they get here.
std::optional<PasswordKey> makePasswordKey(std::string_view utf8);

} // namespace yk
