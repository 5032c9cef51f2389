#include "backup/MessagePump.h"

#include <windows.h>

namespace yk {

bool MessagePump::due() const
{
    return GetTickCount64() - last_ >= kIntervalMs;
}

void MessagePump::dispatchIfDue()
{
    if (due())
        dispatch();
}

void MessagePump::dispatch()
{
    host_.dispatchWaitingMessages();
    last_ = GetTickCount64();
}

} // namespace yk
