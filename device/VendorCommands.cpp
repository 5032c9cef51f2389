#include "device/VendorCommands.h"

#include <algorithm>
#include <initializer_list>

namespace yk {

namespace {

ScsiCommand command(std::initializer_list<std::uint8_t> leading, bool dataIn)
{
    ScsiCommand built;
    std::copy(leading.begin(), leading.end(), built.block.begin());
    built.dataIn = dataIn;
    return built;
}

} // namespace

ScsiCommand sdControlCommand(std::uint8_t parameter)
{
    return command({0xFF, 0xB2, parameter}, false);
}

ScsiCommand sdQueryCommand(std::uint8_t parameter)
{
    return command({0xFF, 0xB2, 0x02, parameter}, true);
}

ScsiCommand readInfoPageCommand()
{
    return command({0xFF, 0x2C, 0x01}, true);
}

ScsiCommand readDeviceInfoCommand()
{
    return command({0xFF, 0xA0, 0x0B}, true);
}

ScsiCommand readPowerSampleCommand(std::uint8_t port)
{
    return command({0xFF, 0xB3, port, 0x07}, true);
}

std::uint8_t sendVendorCommand(DeviceState& state, DeviceHost& host, const ScsiCommand& command,
                               std::span<std::uint8_t> data)
{
    std::unique_ptr<DeviceChannel> channel;
    for (int i = 0; i < kOpenTries && !channel; ++i)
        channel = host.openDevice(state.devicePath);
    if (!channel) {
        state.transportFailed = true;
        return kStatusNotDelivered;
    }
    for (int i = 0; i < kSendTries; ++i) {
        if (const auto status = channel->exchange(command, command.dataIn ? data : std::span<std::uint8_t>{}))
            return *status;
    }
    state.transportFailed = true;
    return kStatusNotDelivered;
}

std::uint8_t VendorCommands::send(const ScsiCommand& command, std::span<std::uint8_t> data)
{
    std::uint8_t status = kStatusNotDelivered;
    for (int attempt = 0; attempt < kCommandAttempts; ++attempt) {
        // The flag speaks of the latest attempt: one that got through is not sent again. It is cleared after
        // the dispatch, where a handler may have sent a command of its own and left the flag set.
        host_.dispatchWaitingMessages();
        state_.transportFailed = false;
        status = sendVendorCommand(state_, host_, command, data);
        if (!state_.transportFailed)
            break;
    }
    return status;
}

std::uint8_t VendorCommands::sdControl(std::uint8_t parameter)
{
    return send(sdControlCommand(parameter), {});
}

std::uint8_t VendorCommands::sdQuery(std::uint8_t parameter, std::span<std::uint8_t, kPortStateReplySize> reply)
{
    return send(sdQueryCommand(parameter), reply);
}

std::uint8_t VendorCommands::readInfoPage(std::span<std::uint8_t, kInfoPageSize> reply)
{
    return send(readInfoPageCommand(), reply);
}

std::uint8_t VendorCommands::readDeviceInfo(std::span<std::uint8_t, kDeviceInfoSize> reply)
{
    return send(readDeviceInfoCommand(), reply);
}

std::uint8_t VendorCommands::readPowerSample(std::uint8_t port, std::span<std::uint8_t, kPowerSampleSize> reply)
{
    return send(readPowerSampleCommand(port), reply);
}

} // namespace yk
