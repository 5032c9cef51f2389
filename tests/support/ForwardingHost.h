// A device host that hands every call to another one; test hosts derive from it and override only what they
// count or change.
#pragma once

#include "device/DeviceHost.h"

namespace yk::test {

class ForwardingHost : public DeviceHost {
public:
    explicit ForwardingHost(DeviceHost& inner) : inner_(inner) {}

    std::optional<std::vector<DiskInterface>> diskInterfaces() override { return inner_.diskInterfaces(); }
    std::uint32_t logicalDrives() override { return inner_.logicalDrives(); }
    std::optional<std::vector<std::uint8_t>> volumeDescriptor(wchar_t l) override { return inner_.volumeDescriptor(l); }
    std::optional<StorageDeviceNumber> volumeDeviceNumber(wchar_t l) override { return inner_.volumeDeviceNumber(l); }
    std::optional<StorageDeviceNumber> interfaceDeviceNumber(const std::wstring& p) override
    {
        return inner_.interfaceDeviceNumber(p);
    }
    std::optional<std::uint64_t> volumeDiskSize(wchar_t l) override { return inner_.volumeDiskSize(l); }
    std::optional<DiskSpace> diskSpace(wchar_t l) override { return inner_.diskSpace(l); }
    bool volumeAnswers(wchar_t l) override { return inner_.volumeAnswers(l); }
    std::wstring fileSystemName(wchar_t l) override { return inner_.fileSystemName(l); }
    std::uint64_t clusterBytes(wchar_t l) override { return inner_.clusterBytes(l); }
    std::unique_ptr<DeviceChannel> openDevice(const std::wstring& p) override { return inner_.openDevice(p); }
    void dispatchWaitingMessages() override { inner_.dispatchWaitingMessages(); }
    void debugOutput(const std::wstring& line) override { inner_.debugOutput(line); }

protected:
    DeviceHost& inner_;
};

} // namespace yk::test
