// Between the ASCII texts of files, replies and formatting and the program's wide strings.
#pragma once

#include <string>
#include <string_view>

namespace yk {

// Each byte as its character; a byte that is not ASCII stays visible as U+FFFD.
std::wstring widenAscii(std::string_view text);

// Each character as its byte; a character that is not ASCII becomes '?'.
std::string narrowAscii(std::wstring_view text);

} // namespace yk
