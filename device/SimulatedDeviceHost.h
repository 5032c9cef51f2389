// The device host when no accessory is attached: the accessory is played by the simulator server
// (tools/simulator/yksim.py), every other disk and volume is the real one.
#pragma once

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "device/Win32DeviceHost.h"

namespace yk {

// One line-based connection to the simulator server.
class SimulatorLink {
public:
    SimulatorLink(std::string host, unsigned short port);
    ~SimulatorLink();
    SimulatorLink(const SimulatorLink&) = delete;
    SimulatorLink& operator=(const SimulatorLink&) = delete;

    // Sends one request line and returns the answer line; empty when the server cannot be reached.
    std::optional<std::string> request(const std::string& line);
    // Changes the simulated device as the shell command does ("unplug", "request 2", ...).
    bool control(const std::string& change);

    const std::string& host() const { return host_; }
    unsigned short port() const { return port_; }

private:
    bool connectIfNeeded();
    void disconnect();

    std::string host_;
    unsigned short port_;
    std::uintptr_t socket_;
    std::mutex mutex_;
};

class SimulatedDeviceHost final : public DeviceHost {
public:
    // `address` is "host:port" of the simulator server.
    explicit SimulatedDeviceHost(const std::string& address);
    ~SimulatedDeviceHost() override;

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

    // Whether the simulator's device notices currently reach this process's windows.
    bool receivingNotices() const { return receivingNotices_; }

    // The interface path under which the simulated disk appears.
    static const std::wstring kDevicePath;

private:
    struct Presence {
        bool plugged = false;
        wchar_t letter = 0;
    };
    Presence presence();
    bool isSimulatedVolume(wchar_t letter);
    void forwardNotifications();

    Win32DeviceHost real_;
    SimulatorLink link_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> receivingNotices_{false};
    std::atomic<std::uintptr_t> eventSocket_;
    std::thread notifier_;
};

// The simulator's "host:port" from YARROWKEEP_SIMULATOR, or empty when the real device layer is used.
std::optional<std::string> simulatorAddressFromEnvironment();

} // namespace yk
