#include "secure/StoredPassword.h"

#include <algorithm>

namespace yk {

namespace {

static_assert(kScramblePhrase.size() == 29);

std::uint8_t scrambleByte(std::uint8_t byte, std::size_t position)
{
    return static_cast<std::uint8_t>(byte ^
                                     static_cast<std::uint8_t>(kScramblePhrase[position % kScramblePhrase.size()]));
}

} // namespace

void scramblePassword(std::span<const std::uint8_t, kPasswordKeySize> in, std::span<std::uint8_t, kPasswordKeySize> out)
{
    for (std::size_t i = 0; i < kPasswordKeySize; ++i)
        out[i] = scrambleByte(in[i], i);
}

std::array<std::uint8_t, kPasswordKeySize> storedPasswordBytes(const PasswordKey& key)
{
    std::array<std::uint8_t, kPasswordKeySize> stored{};
    scramblePassword(key.bytes, stored);
    return stored;
}

bool unscrambleStoredPassword(std::span<const std::uint8_t> stored, PasswordKey& key)
{
    if (stored.empty())
        return false;
    const std::size_t count = std::min(stored.size(), kPasswordKeySize);
    for (std::size_t i = 0; i < count; ++i)
        key.bytes[i] = scrambleByte(stored[i], i);
    return true;
}

} // namespace yk
