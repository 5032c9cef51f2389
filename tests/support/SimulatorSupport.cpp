#include "SimulatorSupport.h"

#include <cstdlib>

#include "device/SimulatedDeviceHost.h"

namespace yk::test {

std::string simulatorAddress()
{
    return simulatorAddressFromEnvironment().value_or("127.0.0.1:47650");
}

unsigned short simulatorPort()
{
    const std::string address = simulatorAddress();
    return static_cast<unsigned short>(std::atoi(address.substr(address.find(':') + 1).c_str()));
}

bool waitFor(const std::function<bool()>& condition, DWORD milliseconds)
{
    const ULONGLONG start = GetTickCount64();
    while (!condition()) {
        if (GetTickCount64() - start > milliseconds)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        Sleep(20);
    }
    return true;
}

} // namespace yk::test
