// The MD5 digest of a file, through the platform's cryptographic provider.
#pragma once

#include <optional>
#include <string>

namespace yk {

// 32 lower-case hexadecimal digits; nothing when the digest could not be computed (no provider, a file that
// cannot be opened, a read error on the way). A missing digest never matches an announced one.
std::optional<std::string> md5OfFile(const std::wstring& path);

} // namespace yk
