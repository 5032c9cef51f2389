// The device's answers to the card and port state queries, and to the card commands, as hostile bytes: a
// sequence of queries and polls, each answered by a status (or no delivery) and reply bytes from the input.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "device/SdAccess.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/support/FakeDeviceHost.h"

using namespace yk;

namespace {

struct Timers : SdAccessTimers {
    std::map<int, unsigned> running;
    void start(int id, unsigned periodMs) override { running[id] = periodMs; }
    void stop(int id) override { running.erase(id); }
};

struct Ui : SdAccessUi {
    bool questionVisible[2] = {false, false};
    int homeStatus = -1;

    void showDeviceNotFound() override {}
    void showBusyNotice() override {}
    int showEnableFailed() override { return kBoxOk; }
    int askEjectConfirmation() override { return kBoxNo; }
    void setHomeStatus(int status) override { homeStatus = status; }
    void refreshBackupRestorePage() override {}
    void refreshSDCardStatus() override {}
    void switchToHomePage() override {}
    void openInFileBrowser(const std::wstring&) override {}
    void postRunButtonCommand(int) override {}
    void showEjectQuestion(EjectQuestion view, bool) override { questionVisible[index(view)] = true; }
    void hideEjectQuestion(EjectQuestion view) override { questionVisible[index(view)] = false; }
    bool isEjectQuestionVisible(EjectQuestion view) override { return questionVisible[index(view)]; }

    static int index(EjectQuestion view) { return view == EjectQuestion::A ? 0 : 1; }
};

struct Runs : SdAccessRuns {
    void startRun(std::int32_t) override {}
};

struct Settings : SdAccessSettings {
    std::int32_t readInt(std::wstring_view) override { return 1; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);

    test::FakeDeviceHost host;
    host.answeringVolumes.insert(L'E');
    // Each delivered command takes its answer from the input: a status byte (0xFF: not delivered), then as
    // many reply bytes as the command's buffer holds. Every byte written outside the buffer is ASan's finding.
    host.device = [&input](const ScsiCommand&, std::span<std::uint8_t> reply) -> std::optional<std::uint8_t> {
        const auto status = input.take<std::uint8_t>();
        if (status == 0xFF)
            return std::nullopt;
        input.takeInto(reply);
        return status;
    };

    DeviceState state;
    state.connected = true;
    state.strDriveID = L"E";
    VendorCommands commands(state, host);
    Timers timers;
    Ui ui;
    Runs runs;
    Settings settings;
    const bool runInProgress = false;
    SdAccess access(commands, timers, ui, runs, settings, runInProgress);

    for (int step = 0; step < 16 && !input.rest().empty(); ++step) {
        switch (input.take<std::uint8_t>() % 5) {
        case 0: {
            std::uint8_t requestCode = 0x77;
            std::uint8_t otherPort = 0x77;
            if (access.queryPortState(requestCode, otherPort) && (otherPort != 0 || (requestCode != 1 && requestCode != 2)))
                std::abort(); // an answer taken that is not a request of the other port
            break;
        }
        case 1:
            access.isSdAttachedToHost();
            break;
        case 2:
            access.pollPortState();
            if (state.portRequest != 0 && state.portRequest != 1 && state.portRequest != 2)
                std::abort();
            break;
        case 3:
            access.pollSdStatus();
            if (state.sdEnabled && !state.sdPresent)
                std::abort(); // an enabled card that is not there
            break;
        default:
            access.isSdCardPresentQuietly();
            break;
        }
    }
    return 0;
}
