// Answers modal dialogs shown on the test thread: a thread timer finds the active dialog and performs one
// scripted step per tick, the way a user would click and type.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace yk::test {

// The result a dialog gets when the script ran out while it was still open.
inline constexpr INT_PTR kAbandoned = -2;

class BoxDriver {
public:
    using Step = std::function<void(HWND dialog)>;

    BoxDriver& then(Step step);
    // The next step waits for a tick on which `ready` holds for the active dialog (a download that ends, a box
    // that comes); a wait of more than 30 s ends the dialog as abandoned.
    BoxDriver& when(std::function<bool(HWND dialog)> ready, Step step);
    // Runs `show` (a modal run) with the script active and returns what it returned.
    INT_PTR run(const std::function<INT_PTR()>& show);

    // Steps performed; fewer than scheduled when the dialogs closed early.
    std::size_t stepsDone() const { return next_; }

private:
    static void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD);
    void tick();

    std::vector<Step> steps_;
    std::vector<std::function<bool(HWND)>> conditions_;
    int waitingTicks_ = 0;
    std::size_t next_ = 0;
    int idleTicks_ = 0;
    bool busy_ = false;
};

// The enabled, visible dialog window of a thread (the innermost of nested modal runs), or null.
HWND activeDialog(DWORD threadId);

// Posted input, handled when the dialog's own loop gets to it.
void clickControl(HWND dialog, int controlId);
void pressKey(HWND dialog, UINT virtualKey);
void postCommand(HWND dialog, int commandId);
void postClose(HWND dialog);

std::wstring controlText(HWND dialog, int controlId);
// A control's rectangle in the dialog's client coordinates.
RECT controlRect(HWND dialog, int controlId);
// A template rectangle in dialog units, in pixels.
RECT dialogUnits(HWND dialog, int x, int y, int width, int height);
// The size of the bitmap a picture control shows (0 × 0 when none).
SIZE pictureSize(HWND dialog, int controlId);
// The pixels of the bitmap a picture control shows, top-down, 4 bytes each (empty when none).
std::vector<std::uint8_t> pictureBits(HWND control);

} // namespace yk::test
