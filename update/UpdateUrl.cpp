#include "update/UpdateUrl.h"

namespace yk {

namespace {

constexpr std::wstring_view kHttps = L"https://";
constexpr std::wstring_view kHttp = L"http://";
constexpr unsigned kMaxPort = 65535;
constexpr unsigned kMaxOctet = 255;
constexpr unsigned kLoopbackFirstOctet = 127;

wchar_t lower(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool startsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[i]) != prefix[i])
            return false;
    }
    return true;
}

bool isDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool isHexDigit(wchar_t c)
{
    return isDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

bool isHostNameChar(wchar_t c)
{
    return isDigit(c) || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'.' || c == L'-';
}

// Printable ASCII only, and nothing that could move the request elsewhere or make the appended folder a query
// or fragment: no backslash, no "?", no "#".
bool hasOnlyPlainCharacters(std::wstring_view value)
{
    for (const wchar_t c : value) {
        if (c < 0x21 || c >= 0x7F || c == L'\\' || c == L'?' || c == L'#')
            return false;
    }
    return true;
}

// A decimal number of one to `maxDigits` digits, leading zeros allowed.
std::optional<unsigned> decimal(std::wstring_view text, std::size_t maxDigits)
{
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    unsigned value = 0;
    for (const wchar_t c : text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    return value;
}

// 127.0.0.0/8 in four decimal parts, the only form a name resolver cannot send elsewhere; or [::1].
bool isLoopbackHost(std::wstring_view host)
{
    if (host == L"[::1]")
        return true;
    unsigned parts = 0;
    while (true) {
        const auto dot = host.find(L'.');
        const auto value = decimal(host.substr(0, dot), 3);
        if (!value || *value > kMaxOctet || (parts == 0 && *value != kLoopbackFirstOctet))
            return false;
        ++parts;
        if (dot == std::wstring_view::npos)
            break;
        host.remove_prefix(dot + 1);
    }
    return parts == 4;
}

// A host name, a dotted address, or a bracketed IPv6 address.
bool isHost(std::wstring_view host)
{
    if (host.empty())
        return false;
    if (host.front() == L'[') {
        if (host.size() < 3 || host.back() != L']')
            return false;
        const auto inside = host.substr(1, host.size() - 2);
        bool colon = false;
        for (const wchar_t c : inside) {
            if (!isHexDigit(c) && c != L':' && c != L'.')
                return false;
            colon = colon || c == L':';
        }
        return colon;
    }
    // A name or dotted address starts with a letter or a digit.
    if (host.front() == L'.' || host.front() == L'-')
        return false;
    for (const wchar_t c : host) {
        if (!isHostNameChar(c))
            return false;
    }
    return true;
}

} // namespace

std::optional<std::wstring> acceptedUpdateUrl(std::wstring_view value)
{
    if (!hasOnlyPlainCharacters(value))
        return std::nullopt;
    const bool https = startsWithIgnoringCase(value, kHttps);
    if (!https && !startsWithIgnoringCase(value, kHttp))
        return std::nullopt;
    const std::wstring_view scheme = https ? kHttps : kHttp;

    const std::wstring_view rest = value.substr(scheme.size());
    const auto slash = rest.find(L'/');
    const std::wstring_view authority = rest.substr(0, slash);
    const std::wstring_view path = slash == std::wstring_view::npos ? std::wstring_view{} : rest.substr(slash);
    if (authority.find(L'@') != std::wstring_view::npos)
        return std::nullopt;

    // The port follows the last colon outside the brackets of an IPv6 address.
    std::wstring_view host = authority;
    const auto bracket = authority.rfind(L']');
    const auto colon = authority.rfind(L':');
    if (colon != std::wstring_view::npos && (bracket == std::wstring_view::npos || colon > bracket)) {
        host = authority.substr(0, colon);
        const auto port = decimal(authority.substr(colon + 1), 5);
        if (!port || *port == 0 || *port > kMaxPort)
            return std::nullopt;
    }
    if (https ? !isHost(host) : !isLoopbackHost(host))
        return std::nullopt;

    // The scheme in lower case, so that whoever reads the URL next sees which one it is without folding case.
    std::wstring url(scheme);
    url += authority;
    url += path;
    while (url.back() == L'/')
        url.pop_back();
    return url;
}

std::wstring chooseUpdateBaseUrl(std::optional<std::wstring_view> override, std::wstring_view builtIn)
{
    if (override) {
        if (auto url = acceptedUpdateUrl(*override))
            return std::move(*url);
    }
    return std::wstring(builtIn);
}

} // namespace yk
