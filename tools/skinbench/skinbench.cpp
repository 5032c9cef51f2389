// Prints, for the largest skin images, the time of decoding alone next to decoding and reducing them the
// way the dialogs do, and the extra cost of a load while no image codec session is held.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <iterator>

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
    struct Row {
        yk::ImageSize stored, drawn;
        double decode = 0, reduce = 0, alone = 0;
        bool found = false;
    } rows[std::size(kSubjects)];
    {
        const yk::GdiplusSession session;
        for (std::size_t i = 0; i < std::size(kSubjects); ++i) {
            const Subject& subject = kSubjects[i];
            const auto probe = yk::loadSkinImage(subject.id);
            if (!probe)
                continue;
            Row& row = rows[i];
            row.found = true;
            row.stored = {probe->width, probe->height};
            row.drawn = yk::scaledImageSize(row.stored, subject.factor, 1.0f);
            row.decode = millisecondsPerRound([&] { yk::loadSkinImage(subject.id); });
            row.reduce = millisecondsPerRound([&] {
                auto image = yk::loadSkinImage(subject.id);
                yk::shrinkImage(image->pixels, row.stored.width, row.stored.height, row.drawn.width, row.drawn.height);
            });
        }
    }
    // Without a session held by the program each load starts and stops the codec itself.
    for (std::size_t i = 0; i < std::size(kSubjects); ++i)
        if (rows[i].found)
            rows[i].alone = millisecondsPerRound([&] { yk::loadSkinImage(kSubjects[i].id); });

    std::wprintf(L"%-22ls %10ls %10ls %12ls %18ls %18ls\n", L"image", L"stored", L"drawn at", L"decode (ms)",
                 L"decode+reduce (ms)", L"no session (ms)");
    for (std::size_t i = 0; i < std::size(kSubjects); ++i) {
        const Row& row = rows[i];
        if (!row.found) {
            std::wprintf(L"%-22ls missing\n", kSubjects[i].role);
            continue;
        }
        wchar_t stored[16], drawn[16];
        std::swprintf(stored, 16, L"%dx%d", row.stored.width, row.stored.height);
        std::swprintf(drawn, 16, L"%dx%d", row.drawn.width, row.drawn.height);
        std::wprintf(L"%-22ls %10ls %10ls %12.2f %18.2f %18.2f\n", kSubjects[i].role, stored, drawn, row.decode,
                     row.reduce, row.alone);
    }
    return 0;
}
