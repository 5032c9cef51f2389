// The version file parser on any bytes, and what the update check does with its values: the version number,
// the installer name check, the URL check on the same bytes as an override (also behind each scheme), and
// the schedule on them as the stored stamp.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "update/InstallerName.h"
#include "update/UpdateSchedule.h"
#include "update/UpdateUrl.h"
#include "update/VersionFile.h"

using namespace yk;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// A value is one line of the input: no line feed, and no longer than the input.
void requireLine(const std::string& value, std::size_t inputSize)
{
    require(value.find('\n') == std::string::npos);
    require(value.size() <= inputSize);
}

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

// `prefix` and the bytes widened one by one.
void checkUrl(std::wstring_view prefix, std::string_view bytes)
{
    std::wstring latin1(prefix);
    for (const char c : bytes)
        latin1 += static_cast<wchar_t>(static_cast<unsigned char>(c));
    const auto url = acceptedUpdateUrl(latin1);
    if (!url)
        return;
    // The scheme is given back in lower case.
    const bool https = url->starts_with(L"https://");
    require(https || url->starts_with(L"http://"));
    require(startsWithIgnoringCase(latin1, https ? L"https://" : L"http://"));
    for (const wchar_t c : *url)
        require(c > 0x20 && c < 0x7F && c != L'\\' && c != L'?' && c != L'#');
    const std::wstring_view afterScheme = std::wstring_view(*url).substr(https ? 8 : 7);
    const std::wstring_view authority = afterScheme.substr(0, afterScheme.find(L'/'));
    require(!authority.empty() && authority.find(L'@') == std::wstring_view::npos);
    require(url->back() != L'/');
    // Nothing but the scheme's case and trailing slashes changed.
    require(latin1.size() >= url->size());
    require(std::wstring_view(latin1).substr(https ? 8 : 7, url->size() - (https ? 8 : 7)) == afterScheme);
    for (std::size_t i = url->size(); i < latin1.size(); ++i)
        require(latin1[i] == L'/');
    // Plain http only ever to a loopback address.
    if (!https)
        require(authority.starts_with(L"127.") || authority.starts_with(L"[::1]"));
    require(chooseUpdateBaseUrl(std::wstring_view(latin1), L"https://built.in") == *url);
}

// The digits after the leading white space, read by the C library where they fit, saturated where not.
void checkVersionNumber(const std::string& text)
{
    const auto start = text.find_first_not_of(" \t\n\v\f\r");
    const std::string rest = start == std::string::npos ? std::string() : text.substr(start);
    const std::string digits = rest.substr(0, rest.find_first_not_of("0123456789"));
    const auto significant = digits.find_first_not_of('0');
    const std::size_t length = significant == std::string::npos ? 0 : digits.size() - significant;
    const auto number = versionNumber(text);
    if (length == 0)
        require(number == 0);
    else if (length < 20)
        require(number == std::strtoull(digits.c_str(), nullptr, 10));
    else if (length > 20)
        require(number == UINT64_MAX);
    else
        require(number >= 10000000000000000000ull);
}

void checkSchedule(std::string_view bytes)
{
    const LocalDateTime now{2026, 12, 11, 14, 30, 5};
    const auto decision = isCheckDue(bytes, now);
    require(decision.stamp == "2026/12/11 14:30:05");
    // Never due for a stamp written today.
    require(!isCheckDue(decision.stamp, now).due);
    // Not due means the input names today, however it spells the numbers.
    if (!decision.due)
        require(bytes.find("2026") != std::string_view::npos && bytes.find('/') != std::string_view::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The bytes as they are, and behind each scheme: a scheme compared a character at a time is slow for the
    // fuzzer to find, and everything after it is where the checks are.
    checkUrl(L"", bytes);
    checkUrl(L"http://", bytes);
    checkUrl(L"https://", bytes);
    checkSchedule(bytes);

    const auto file = parseVersionFile(bytes);
    const auto again = parseVersionFile(bytes);
    require(file.has_value() == again.has_value());
    if (!file)
        return 0;
    require(file->version == again->version && file->installerName == again->installerName && file->md5 == again->md5);
    requireLine(file->version, size);
    requireLine(file->installerName, size);
    requireLine(file->md5, size);
    require(file->installerName.find('/') == std::string::npos);
    // The headers themselves take up some of the input.
    require(file->version.size() + file->installerName.size() + file->md5.size() < size);

    checkVersionNumber(file->version);

    if (isSafeInstallerName(file->installerName)) {
        require(file->installerName.find('\\') == std::string::npos);
        require(!file->installerName.empty() && file->installerName.size() <= kInstallerNameLimit);
    }

    const auto line = versionLine(L"C", "100\n", L"N", file->version);
    require(line.size() == std::wstring_view(L"C V100\n  ;  N V").size() + file->version.size());
    for (const wchar_t c : line)
        require(c < 0x80 || c == 0xFFFD);
    return 0;
}
