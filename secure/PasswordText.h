// Passwords as typed (UTF-16 text) turned into the bytes their key is made of.
#pragma once

#include <string>

namespace yk {

std::string utf8FromWide(const std::wstring& text);

} // namespace yk
