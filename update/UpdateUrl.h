// Where the update check asks: the build's https address, or a test server named by the environment.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace yk {

// The value of YARROWKEEP_UPDATE_URL when it may be used, without a trailing "/": an https URL with a host,
// or a plain http URL whose host is a loopback address (127.0.0.0/8 written as four decimal parts, or
// [::1]), either with an optional port and path. Anything else (another scheme, another host over http,
// user information, white space, control characters, backslashes) is refused.
std::optional<std::wstring> acceptedUpdateUrl(std::wstring_view value);

// The base URL to use: the accepted override when there is one, otherwise the built-in address.
std::wstring chooseUpdateBaseUrl(std::optional<std::wstring_view> override, std::wstring_view builtIn);

} // namespace yk
