#include "update/DownloadProgress.h"

#include <cstdio>

#include "base/AsciiText.h"

namespace yk {

namespace {

constexpr std::uint64_t kBytesPerKilobyte = 1024;

} // namespace

std::wstring progressLine(std::uint64_t received, std::optional<std::uint64_t> contentLength)
{
    // The program never changes the C locale, so the decimal separator is always a dot.
    char text[64];
    if (contentLength && *contentLength > 0 && received <= *contentLength) {
        const double percent = static_cast<double>(received) / static_cast<double>(*contentLength) * 100.0;
        std::snprintf(text, sizeof text, "Download ... %3.2f %%", percent);
    } else {
        std::snprintf(text, sizeof text, "Download ... %llu KB",
                      static_cast<unsigned long long>(received / kBytesPerKilobyte));
    }
    return widenAscii(text);
}

std::string md5Text(const std::array<std::uint8_t, 16>& digest)
{
    constexpr char kHexDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * digest.size());
    for (const auto byte : digest) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0x0F];
    }
    return text;
}

bool digestMatches(const std::optional<std::string>& computed, std::string_view announced)
{
    return computed.has_value() && *computed == announced;
}

} // namespace yk
