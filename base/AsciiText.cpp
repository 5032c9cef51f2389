#include "base/AsciiText.h"

namespace yk {

std::wstring widenAscii(std::string_view text)
{
    std::wstring wide;
    wide.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        wide += byte < 0x80 ? static_cast<wchar_t>(byte) : L'\uFFFD';
    }
    return wide;
}

std::string narrowAscii(std::wstring_view text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (const wchar_t c : text)
        narrow += c >= 0 && c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

} // namespace yk
