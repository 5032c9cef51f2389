// The program's own version, from the version resource of its executable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace yk {

struct FileVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t patch = 0;
    std::uint16_t build = 0;
};

// The file version of the running executable; empty when it has no version resource.
std::optional<FileVersion> getOwnVersion();

// The version as a person reads it: "1.2.3"; empty when there is none.
std::wstring ownVersionText();

} // namespace yk
