#include "update/VersionFile.h"

#include <cstdio>
#include <limits>
#include <vector>

#include "base/AsciiText.h"

namespace yk {

namespace {

constexpr std::string_view kVersionHeader = "[Yarrowkeep Version]";
constexpr std::string_view kFileHeader = "[Yarrowkeep File]";
constexpr std::string_view kMd5Header = "[Yarrowkeep File MD5]";

// The file's lines as a text-mode read gives them: each without its LF, and without the CR before that LF.
// A last line without a line end is still a line; nothing after the final LF is.
std::vector<std::string_view> linesOf(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (end == std::string_view::npos) {
            bytes = {};
        } else {
            bytes.remove_prefix(end + 1);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
        }
        lines.push_back(line);
    }
    return lines;
}

// The line after the header's first occurrence, or nothing when the header is missing or ends the file.
std::optional<std::string_view> valueAfter(const std::vector<std::string_view>& lines, std::string_view header)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == header)
            return i + 1 < lines.size() ? std::optional(lines[i + 1]) : std::nullopt;
    }
    return std::nullopt;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::optional<VersionFile> parseVersionFile(std::string_view bytes)
{
    const auto lines = linesOf(bytes);
    const auto version = valueAfter(lines, kVersionHeader);
    const auto name = valueAfter(lines, kFileHeader);
    const auto md5 = valueAfter(lines, kMd5Header);
    if (!version || !name || !md5)
        return std::nullopt;

    VersionFile file{std::string(*version), std::string(*name), std::string(*md5)};
    for (auto& c : file.installerName) {
        if (c == '/')
            c = '\\';
    }
    return file;
}

std::string versionNumberText(std::uint16_t minor, std::uint16_t patch, std::uint16_t build)
{
    // Three numbers of at most five digits each and the line feed.
    char text[24];
    std::snprintf(text, sizeof text, "%d%d%d\n", minor, patch, build);
    return text;
}

std::uint64_t versionNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && isSpace(text[at]))
        ++at;
    constexpr auto kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        const unsigned digit = text[at] - '0';
        if (number > (kMax - digit) / 10)
            return kMax;
        number = number * 10 + digit;
    }
    return number;
}

std::wstring versionLine(std::wstring_view currentLabel, std::string_view ownText, std::wstring_view newLabel,
                         std::string_view serverText)
{
    std::wstring line(currentLabel);
    line += L" V";
    line += widenAscii(ownText);
    line += L"  ;  ";
    line += newLabel;
    line += L" V";
    line += widenAscii(serverText);
    return line;
}

} // namespace yk
