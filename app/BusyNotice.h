// "Already performing a backup or restore function", shown without holding up the command that refused.
#pragma once

namespace yk {

// Shows the notice in the one-button box on a thread of its own and returns at once; the thread ends when the
// box is closed. Several notices can be open at once.
void showBusyNotice(float mag);

} // namespace yk
