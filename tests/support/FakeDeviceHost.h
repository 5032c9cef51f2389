// A scripted device host: disks, volumes and answers set up by a test, with a record of what was asked.
#pragma once

#include <functional>
#include <map>
#include <set>
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

// What a scripted device does with one command: the status, or empty when the exchange fails.
using FakeDevice = std::function<std::optional<std::uint8_t>(const ScsiCommand&, std::span<std::uint8_t>)>;

class FakeDeviceHost : public DeviceHost {
public:
    bool interfacesOpen = true;
    std::vector<DiskInterface> interfaces;
    std::map<std::wstring, StorageDeviceNumber> interfaceNumbers;
    std::map<wchar_t, FakeVolume> volumes;
    int dispatchCount = 0;
    std::vector<std::wstring> debugLines;

    // The vendor-command side: how many opens fail before one succeeds (-1: all fail), how many
    // exchanges fail on each channel before one succeeds (-1: all), and the device's answers.
    std::set<wchar_t> answeringVolumes;
    int failingOpens = 0;
    int failingExchanges = 0;
    FakeDevice device = [](const ScsiCommand&, std::span<std::uint8_t>) { return std::optional<std::uint8_t>(0); };
    std::function<void()> onDispatch;
    int openCount = 0;
    int exchangeCount = 0;
    std::vector<ScsiCommand> delivered;
    std::vector<std::wstring> openedPaths;

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
    bool volumeAnswers(wchar_t letter) override { return answeringVolumes.count(letter) != 0; }
    std::wstring fileSystemName(wchar_t letter) override { return volumeAnswers(letter) ? L"exFAT" : L""; }
    std::uint64_t clusterBytes(wchar_t letter) override { return volumeAnswers(letter) ? 32768 : 0; }
    std::unique_ptr<DeviceChannel> openDevice(const std::wstring& devicePath) override
    {
        ++openCount;
        openedPaths.push_back(devicePath);
        if (failingOpens < 0 || openCount <= failingOpens)
            return nullptr;
        return std::make_unique<Channel>(*this);
    }
    void dispatchWaitingMessages() override
    {
        ++dispatchCount;
        if (onDispatch)
            onDispatch();
    }
    void debugOutput(const std::wstring& line) override { debugLines.push_back(line); }

private:
    class Channel final : public DeviceChannel {
    public:
        explicit Channel(FakeDeviceHost& host) : host_(host) {}
        std::optional<std::uint8_t> exchange(const ScsiCommand& command, std::span<std::uint8_t> data) override
        {
            ++host_.exchangeCount;
            if (host_.failingExchanges < 0 || ++failed_ <= host_.failingExchanges)
                return std::nullopt;
            host_.delivered.push_back(command);
            return host_.device(command, data);
        }

    private:
        FakeDeviceHost& host_;
        int failed_ = 0;
    };
};

} // namespace yk::test
