// A scripted device host: disks, volumes and answers set up by a test, with a record of what was asked.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "device/DeviceHost.h"
#include "device/StorageDescriptor.h"

namespace yk::test {

struct FakeVolume {
    std::optional<StorageIdentity> identity; // none: the descriptor query fails
    std::optional<StorageDeviceNumber> number;
    std::uint64_t diskSize = 0;
    std::optional<DiskSpace> space;
};

class FakeDeviceHost : public DeviceHost {
public:
    bool interfacesOpen = true;
    std::vector<DiskInterface> interfaces;
    std::map<std::wstring, StorageDeviceNumber> interfaceNumbers;
    std::map<wchar_t, FakeVolume> volumes;
    int dispatchCount = 0;
    std::vector<std::wstring> debugLines;

    // A supported-looking USB disk interface.
    static DiskInterface usbDisk(std::wstring path, std::wstring parentId)
    {
        return DiskInterface{std::move(path), L"USBSTOR\\DISK&VEN_X\\1", L"USBSTOR\\Disk", std::move(parentId), true};
    }

    std::optional<std::vector<DiskInterface>> diskInterfaces() override
    {
        if (!interfacesOpen)
            return std::nullopt;
        return interfaces;
    }
    std::uint32_t logicalDrives() override
    {
        std::uint32_t mask = 0;
        for (const auto& [letter, volume] : volumes)
            mask |= 1u << (letter - L'A');
        return mask;
    }
    std::optional<std::vector<std::uint8_t>> volumeDescriptor(wchar_t letter) override
    {
        const auto found = volumes.find(letter);
        if (found == volumes.end() || !found->second.identity)
            return std::nullopt;
        return buildStorageDescriptor(*found->second.identity);
    }
    std::optional<StorageDeviceNumber> volumeDeviceNumber(wchar_t letter) override
    {
        const auto found = volumes.find(letter);
        return found == volumes.end() ? std::nullopt : found->second.number;
    }
    std::optional<StorageDeviceNumber> interfaceDeviceNumber(const std::wstring& devicePath) override
    {
        const auto found = interfaceNumbers.find(devicePath);
        if (found == interfaceNumbers.end())
            return std::nullopt;
        return found->second;
    }
    std::optional<std::uint64_t> volumeDiskSize(wchar_t letter) override
    {
        const auto found = volumes.find(letter);
        if (found == volumes.end() || found->second.diskSize == 0)
            return std::nullopt;
        return found->second.diskSize;
    }
    std::optional<DiskSpace> diskSpace(wchar_t letter) override
    {
        const auto found = volumes.find(letter);
        return found == volumes.end() ? std::nullopt : found->second.space;
    }
    void dispatchWaitingMessages() override { ++dispatchCount; }
    void debugOutput(const std::wstring& line) override { debugLines.push_back(line); }
};

} // namespace yk::test
