// The version file the update server publishes, and the version numbers the check compares.
//
// The file is ASCII text in three sections, in any order, each a header line followed directly by its value:
//   [Yarrowkeep Version]    the server's version number, decimal digits
//   [Yarrowkeep File]       the installer's name relative to the server folder
//   [Yarrowkeep File MD5]   the installer's MD5 digest, 32 lower-case hexadecimal digits
// Lines end with LF or CR LF and are taken without their line end and without any other trimming. Each
// section is looked for from the start of the file, so its first occurrence counts; other lines are ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yk {

// A version file above this size is refused before it is read.
inline constexpr std::size_t kVersionFileLimit = 64 * 1024;

inline constexpr std::string_view kVersionFileName = "Yarrowkeep_Version.bin";
// Appended to the update server's base URL for the version file and the installer.
inline constexpr std::wstring_view kServerFolder = L"/Upload/download/Yarrowkeep Server Data/";

struct VersionFile {
    std::string version;       // the value line as it stands
    std::string installerName; // every "/" replaced by "\"
    std::string md5;           // as it stands, trailing spaces included
};

// The three values, or nothing when a header is missing or is the file's last line.
std::optional<VersionFile> parseVersionFile(std::string_view bytes);

// The program's own version number as the check compares it: "%d%d%d\n" of the second, third and fourth
// parts of the file version (1.1.0.0 gives "100\n", 1.2.3.4 gives "234\n").
std::string versionNumberText(std::uint16_t minor, std::uint16_t patch, std::uint16_t build);

// A version text as a decimal number: leading spaces skipped, reading stops at the first non-digit; 0 when
// there is no digit. A number too large for the type saturates.
std::uint64_t versionNumber(std::string_view text);

// "Current Ver : V100\n  ;  New Ver : V110": the labels in the current language, the own text with its
// line feed, the server's text as it came.
std::wstring versionLine(std::wstring_view currentLabel, std::string_view ownText, std::wstring_view newLabel,
                         std::string_view serverText);

} // namespace yk
