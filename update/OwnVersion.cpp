#include "update/OwnVersion.h"

#include <windows.h>

#include <vector>

#include "base/ExecutablePath.h"

namespace yk {

std::optional<FileVersion> getOwnVersion()
{
    const std::wstring path = executablePath();
    if (path.empty())
        return std::nullopt;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<std::uint8_t> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
        infoSize < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != VS_FFI_SIGNATURE)
        return std::nullopt;
    return FileVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS),
                       LOWORD(info->dwFileVersionLS)};
}

std::wstring ownVersionText()
{
    const auto version = getOwnVersion();
    if (!version)
        return {};
    return std::to_wstring(version->major) + L"." + std::to_wstring(version->minor) + L"." +
           std::to_wstring(version->patch);
}

} // namespace yk
