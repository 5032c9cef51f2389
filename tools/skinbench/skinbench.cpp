// Prints, for the largest skin images, the time of decoding alone next to decoding and reducing them the
// way the dialogs do, and the extra cost of a load while no image codec session is held.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "skin_ids.h"
#include "ui/ScaleRule.h"
#include "ui/ShrinkImage.h"
#include "ui/SkinImage.h"

namespace {

struct Subject {
    int id;
    const wchar_t* role;
    float factor;
};

constexpr Subject kSubjects[] = {
    {IDB_SIDEBAR_BACKGROUND, L"side-bar background", 0.2f},  {IDB_DIALOG_BUTTON_WIDE, L"wide dialog button", 0.15f},
    {IDB_VIEW_NORMAL_BACKUP, L"backup view picture", 0.32f}, {IDB_HOME_CONNECTED, L"home status picture", 0.3f},
    {IDB_COMPUTER_GEAR, L"message box icon", 0.2f},
};
constexpr int kRounds = 20;

using Clock = std::chrono::steady_clock;

template <typename Work> double millisecondsPerRound(Work work)
{
    const auto start = Clock::now();
    for (int round = 0; round < kRounds; ++round)
        work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kRounds;
}

} // namespace

int wmain()
{
    std::wprintf(L"%-22ls %11ls %11ls %13ls %13ls %15ls\n", L"image", L"stored", L"drawn at", L"decode (ms)",
                 L"+reduce (ms)", L"no session (ms)");
    {
        const yk::GdiplusSession session;
        for (const Subject& subject : kSubjects) {
            const auto probe = yk::loadSkinImage(subject.id);
            if (!probe) {
                std::wprintf(L"%-22ls missing\n", subject.role);
                continue;
            }
            const yk::ImageSize stored{probe->width, probe->height};
            const yk::ImageSize drawn = yk::scaledImageSize(stored, subject.factor, 1.0f);
            const double decode = millisecondsPerRound([&] { yk::loadSkinImage(subject.id); });
            const double reduce = millisecondsPerRound([&] {
                auto image = yk::loadSkinImage(subject.id);
                yk::shrinkImage(image->pixels, stored.width, stored.height, drawn.width, drawn.height);
            });
            wchar_t storedText[16], drawnText[16];
            std::swprintf(storedText, 16, L"%dx%d", stored.width, stored.height);
            std::swprintf(drawnText, 16, L"%dx%d", drawn.width, drawn.height);
            std::wprintf(L"%-22ls %11ls %11ls %13.2f %13.2f", subject.role, storedText, drawnText, decode, reduce);
            std::wprintf(L"%15ls\n", L"");
        }
    }
    // Without a session held by the program each load starts and stops the codec itself.
    for (const Subject& subject : kSubjects) {
        const double alone = millisecondsPerRound([&] { yk::loadSkinImage(subject.id); });
        std::wprintf(L"%-22ls %11ls %11ls %13ls %13ls %15.2f\n", subject.role, L"", L"", L"", L"", alone);
    }
    return 0;
}
