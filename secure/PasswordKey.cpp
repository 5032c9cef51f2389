#include "secure/PasswordKey.h"

#include <algorithm>

#include "secure/SecureWipe.h"

namespace yk {

PasswordKey::~PasswordKey()
{
    secureWipe(bytes.data(), bytes.size());
}

std::optional<PasswordKey> makePasswordKey(std::string_view utf8)
{
    if (utf8.empty() || !passwordFitsKey(utf8))
        return std::nullopt;
    PasswordKey key;
    key.bytes.fill(kPasswordKeyFill);
    std::transform(utf8.begin(), utf8.end(), key.bytes.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
    return key;
}

} // namespace yk
