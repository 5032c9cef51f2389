// The device host over SetupAPI, the configuration manager and the storage IOCTLs.
#pragma once

#include "device/DeviceHost.h"

namespace yk {

class Win32DeviceHost final : public DeviceHost {
public:
    std::optional<std::vector<DiskInterface>> diskInterfaces() override;
    std::uint32_t logicalDrives() override;
    std::optional<std::vector<std::uint8_t>> volumeDescriptor(wchar_t letter) override;
    std::optional<StorageDeviceNumber> volumeDeviceNumber(wchar_t letter) override;
    std::optional<StorageDeviceNumber> interfaceDeviceNumber(const std::wstring& devicePath) override;
    std::optional<std::uint64_t> volumeDiskSize(wchar_t letter) override;
    std::optional<DiskSpace> diskSpace(wchar_t letter) override;
    bool volumeAnswers(wchar_t letter) override;
    std::wstring fileSystemName(wchar_t letter) override;
    std::uint64_t clusterBytes(wchar_t letter) override;
    std::unique_ptr<DeviceChannel> openDevice(const std::wstring& devicePath) override;
    void dispatchWaitingMessages() override;
    void debugOutput(const std::wstring& line) override;
};

} // namespace yk
