// The daily check for a newer release of the program, on a worker thread of its own.
#pragma once

namespace yk {

// Starts updateCheckThread and returns at once.
void startUpdateCheck();

// The check itself does not exist yet: until it does, the thread ends at once without a word.
void updateCheckThread();

} // namespace yk
