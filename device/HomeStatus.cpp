#include "device/HomeStatus.h"

namespace yk {

int homeStatusOf(const DeviceState& state)
{
    if (!state.connected)
        return kHomeNotConnected;
    if (state.sdEnabled)
        return kHomeConnected;
    if (!state.sdPresent)
        return kHomeSdNotDetected;
    return state.otherPortBusy ? kHomeSdInPhone : kHomeSdStandby;
}

} // namespace yk
