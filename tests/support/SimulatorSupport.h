// What the tests against the simulated accessory share: where its server listens, and waiting for it while
// this thread's window messages are handled.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace yk::test {

// host:port of the simulator server the test run started (YARROWKEEP_SIMULATOR, else the tests' default).
std::string simulatorAddress();
unsigned short simulatorPort();

// Pumps this thread's messages until the condition holds or the time is up.
bool waitFor(const std::function<bool()>& condition, DWORD milliseconds = 10000);

} // namespace yk::test
