#include "update/UpdateCheck.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <thread>

#include "base/AsciiText.h"
#include "base/CatalogKeys.h"
#include "base/ExecutablePath.h"
#include "base/TextCatalog.h"
#include "update/HttpDownload.h"
#include "update/InstallerName.h"
#include "update/UpdateUrl.h"
#include "update/VersionFile.h"
#include "yk_update_server.h"


namespace yk {

namespace {

// A version file is a few lines: anything that takes longer than this is not one.
constexpr std::chrono::seconds kVersionFileDeadline{30};

std::optional<std::string> readSmallFile(const std::wstring& path, std::size_t limit)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string bytes;
    bytes.resize(limit + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad())
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

std::optional<std::wstring> environmentValue(const wchar_t* name)
{
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return std::nullopt;
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(name, value.data(), size);
    if (length == 0 || length >= size)
        return std::nullopt;
    value.resize(length);
    return value;
}

// The version file as the server has it now, kept in the program's folder.
std::optional<VersionFile> fetchVersionFile(const std::wstring& folder, const std::wstring& baseUrl)
{
    const std::wstring localPath = folder + L"\\" + widenAscii(kVersionFileName);
    const std::wstring url = baseUrl + std::wstring(kServerFolder) + widenAscii(kVersionFileName);
    DownloadOptions options;
    options.maxBytes = kVersionFileLimit;
    options.deadline = kVersionFileDeadline;
    if (!downloadFile(url, localPath, options))
        return std::nullopt;
    const auto bytes = readSmallFile(localPath, kVersionFileLimit);
    if (!bytes)
        return std::nullopt;
    return parseVersionFile(*bytes);
}

void updateCheckThread(HWND mainWindow, const SettingsProfile& profile)
{
    auto offer = checkForUpdate(profile, currentUpdateCheckInputs());
    if (!offer)
        return;
    auto message = std::make_unique<UpdateOffer>(std::move(*offer));
    if (PostMessageW(mainWindow, kUpdateFoundMessage, 0, reinterpret_cast<LPARAM>(message.get())))
        message.release();
}

} // namespace

std::wstring updateBaseUrl()
{
    const auto override = environmentValue(L"YARROWKEEP_UPDATE_URL");
    return chooseUpdateBaseUrl(override ? std::optional<std::wstring_view>(*override) : std::nullopt,
                               kBuiltInUpdateServer);
}

UpdateCheckInputs currentUpdateCheckInputs()
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return UpdateCheckInputs{getOwnVersion(), executableFolder(), updateBaseUrl(),
                             LocalDateTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute,
                                           local.wSecond}};
}

std::optional<UpdateOffer> checkForUpdate(const SettingsProfile& profile, const UpdateCheckInputs& inputs)
{
    if (!inputs.ownVersion || inputs.folder.empty())
        return std::nullopt;
    const Settings settings(profile);
    const CheckDecision decision = isCheckDue(narrowAscii(settings.autoCheckUpdate.get()), inputs.now);
    settings.autoCheckUpdate.set(widenAscii(decision.stamp));
    if (!decision.due)
        return std::nullopt;

    const auto file = fetchVersionFile(inputs.folder, inputs.baseUrl);
    if (!file)
        return std::nullopt;
    // The name comes from the network: anything but a plain file name in the program's folder is no offer.
    if (!isSafeInstallerName(file->installerName))
        return std::nullopt;
    const std::string ownText =
        versionNumberText(inputs.ownVersion->minor, inputs.ownVersion->patch, inputs.ownVersion->build);
    if (versionNumber(ownText) >= versionNumber(file->version))
        return std::nullopt;
    return UpdateOffer{widenAscii(file->version), widenAscii(file->installerName), widenAscii(file->md5),
                       versionLine(loadCatalogText(IDS_CURRENT_VERSION), ownText,
                                   loadCatalogText(IDS_NEW_VERSION_LABEL), file->version)};
}

void startUpdateCheck(HWND mainWindow, const SettingsProfile& profile)
{
    try {
        std::thread(updateCheckThread, mainWindow, std::cref(profile)).detach();
    } catch (const std::system_error&) {
        // Background work fails silently: without a thread there is no check today.
    }
}

} // namespace yk
