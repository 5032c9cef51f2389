// The device's vendor commands: building their blocks and sending them with retries.
#pragma once

#include <cstdint>
#include <span>

#include "device/DeviceHost.h"
#include "device/DeviceState.h"

namespace yk {

inline constexpr std::uint8_t kScsiStatusGood = 0;
// No SCSI target sends this: the command never reached the device.
inline constexpr std::uint8_t kStatusNotDelivered = 0xFF;

inline constexpr std::size_t kPortStateReplySize = 3;
inline constexpr std::size_t kInfoPageSize = 128;
inline constexpr std::size_t kDeviceInfoSize = 512;
inline constexpr std::size_t kPowerSampleSize = 4;

// Parameters of sdControl.
inline constexpr std::uint8_t kSdEnable = 0;
inline constexpr std::uint8_t kSdRelease = 1;
inline constexpr std::uint8_t kSdPresenceTest = 3;
// Parameters of sdQuery.
inline constexpr std::uint8_t kQueryPortState = 0;
inline constexpr std::uint8_t kQueryHostState = 1;

inline constexpr int kOpenTries = 10;
inline constexpr int kSendTries = 10;
inline constexpr int kCommandAttempts = 3;

ScsiCommand sdControlCommand(std::uint8_t parameter);
ScsiCommand sdQueryCommand(std::uint8_t parameter);
ScsiCommand readInfoPageCommand();
ScsiCommand readDeviceInfoCommand();
ScsiCommand readPowerSampleCommand(std::uint8_t port);

// One exchange with up to 10 opens and 10 sends, no message dispatch. An exchange that never reached
// the device sets `transportFailed` and returns kStatusNotDelivered with `data` untouched.
std::uint8_t sendVendorCommand(DeviceState& state, DeviceHost& host, const ScsiCommand& command,
                               std::span<std::uint8_t> data);

// The named operations: up to 3 attempts, each after dispatching the thread's waiting messages; each
// returns the status of its last attempt. Callers zero their reply buffer first.
class VendorCommands {
public:
    VendorCommands(DeviceState& state, DeviceHost& host) : state_(state), host_(host) {}

    std::uint8_t sdControl(std::uint8_t parameter);
    std::uint8_t sdQuery(std::uint8_t parameter, std::span<std::uint8_t, kPortStateReplySize> reply);
    std::uint8_t readInfoPage(std::span<std::uint8_t, kInfoPageSize> reply);
    std::uint8_t readDeviceInfo(std::span<std::uint8_t, kDeviceInfoSize> reply);
    std::uint8_t readPowerSample(std::uint8_t port, std::span<std::uint8_t, kPowerSampleSize> reply);

    DeviceState& state() { return state_; }
    DeviceHost& host() { return host_; }

private:
    std::uint8_t send(const ScsiCommand& command, std::span<std::uint8_t> data);

    DeviceState& state_;
    DeviceHost& host_;
};

} // namespace yk
