#include "update/UpdateCheck.h"

#include <system_error>
#include <thread>

namespace yk {

void updateCheckThread() {}

void startUpdateCheck()
{
    try {
        std::thread(updateCheckThread).detach();
    } catch (const std::system_error&) {
        // Background work fails silently: without a thread there is no check today.
    }
}

} // namespace yk
