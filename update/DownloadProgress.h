// What the update dialog's progress line says, and when a downloaded installer counts as verified.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yk {

// "Download ... 42.50 %" of received against the announced length; without a usable length (none, or
// received already past it) the line shows the kilobytes received: "Download ... 120 KB".
std::wstring progressLine(std::uint64_t received, std::optional<std::uint64_t> contentLength);

// 32 lower-case hexadecimal digits.
std::string md5Text(const std::array<std::uint8_t, 16>& digest);

// The announced digest matches only a digest that was computed, exactly, character by character.
bool digestMatches(const std::optional<std::string>& computed, std::string_view announced);

} // namespace yk
