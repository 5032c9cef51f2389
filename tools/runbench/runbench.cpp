// The backup runs against references, printed side by side:
//   runbench [work folder] [card letter] [dialogs] [large] [small] [encrypted] [scale]
// large:     a few large files: a backup run against CopyFileW of the same files;
// small:     the first and a no-change run over 20,000 small files against "xcopy /D /E /I /Y" of the same tree;
// encrypted: the encrypted backup of a 1 GiB tree against the plain backup of the same tree, and the
//            decrypting restore of it against the plain restore.
// scale:     first and no-change runs over 20,000 files in 2,000 folders, 200,000 files in 20,000 folders
//            and 50,000 files in one folder, with the time per file and the process's peak working set.
// Without a case name the first three run. "dialogs" shows the progress dialog during the runs.
// The runs go to <card letter>:\YarrowkeepCross\YKBENCH (removed afterwards), the rest under the work folder.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/Win32Handles.h"
#include "backup/BackupRuns.h"
#include "backup/CopyDialogs.h"
#include "backup/MessagePump.h"
#include "device/Win32DeviceHost.h"
#include "secure/AesBackends.h"
#include "secure/EncryptedFile.h"
#include "secure/PasswordKey.h"
#include "secure/SettingsStore.h"

namespace {

constexpr int kLargeFiles = 4;
constexpr std::size_t kLargeFileSize = 128u << 20;
constexpr int kSmallFolders = 200;
constexpr int kSmallFilesPerFolder = 100;
constexpr std::size_t kSmallFileSize = 1024;
constexpr int kTreeFolders = 4;
constexpr int kTreeFilesPerFolder = 8;
constexpr std::size_t kTreeFileSize = 32u << 20; // 4 x 8 x 32 MiB = 1 GiB
constexpr std::size_t kFlushedFileSize = 1u << 20;
constexpr int kRounds = 3;
constexpr int kTreeRounds = 7; // the write-back of a gigabyte makes single runs vary more

struct Quiet final : yk::RunPrompts, yk::RunShell {
    int showMessage(int, const yk::CatalogKey&) override { return 1; }
    void showFolderMessage(const yk::CatalogKey&, const yk::CatalogKey&, const std::wstring&) override {}
    std::optional<std::wstring> chooseFolder(const std::wstring&) override { return std::nullopt; }
    std::optional<std::pair<yk::CalendarDate, yk::CalendarDate>> chooseDateRange() override { return std::nullopt; }
    std::optional<yk::PasswordKey> askRestorePassword() override { return std::nullopt; }
    void openSettingsPage() override {}
    void setEjectButtonsEnabled(bool) override {}
};

// Progress that only keeps the window messages flowing, as the dialogs do, and remembers the result.
struct Headless final : yk::RunReporting {
    explicit Headless(yk::DeviceHost& host) : pump_(host) {}
    void openCopyProgress(yk::RunKind) override {}
    void setProgressTarget(const std::wstring&) override {}
    void setProgressTotalBytes(std::uint64_t) override {}
    void updateProgressBytes(std::uint64_t) override { pump_.dispatchIfDue(); }
    void updateProgressCounts(const yk::RunCounts&) override {}
    void closeCopyProgress() override {}
    void showRunResult(yk::RunKind, yk::RunStatus shownStatus, const yk::RunCounts& shownCounts) override
    {
        status = shownStatus;
        counts = shownCounts;
    }
    yk::RunStatus status = yk::RunStatus::Fail;
    yk::RunCounts counts;

private:
    yk::MessagePump pump_;
};

// The dialogs for the progress; the modal result is left out of the timing by answering it at once.
struct WithDialogs final : yk::RunReporting {
    WithDialogs(yk::RunState& run, yk::DeviceHost& host) : dialogs(nullptr, run, host, 1.0f, [] {}) {}
    void openCopyProgress(yk::RunKind kind) override { dialogs.openCopyProgress(kind); }
    void setProgressTarget(const std::wstring& name) override { dialogs.setProgressTarget(name); }
    void setProgressTotalBytes(std::uint64_t total) override { dialogs.setProgressTotalBytes(total); }
    void updateProgressBytes(std::uint64_t done) override { dialogs.updateProgressBytes(done); }
    void updateProgressCounts(const yk::RunCounts& counts) override { dialogs.updateProgressCounts(counts); }
    void closeCopyProgress() override { dialogs.closeCopyProgress(); }
    void showRunResult(yk::RunKind, yk::RunStatus shownStatus, const yk::RunCounts& shownCounts) override
    {
        status = shownStatus;
        counts = shownCounts;
    }
    yk::CopyDialogs dialogs;
    yk::RunStatus status = yk::RunStatus::Fail;
    yk::RunCounts counts;
};

double seconds(const std::function<void()>& work)
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double best(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void removeTree(const std::wstring& path)
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void writeFile(const std::wstring& path, std::size_t size, unsigned seed)
{
    const yk::UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::vector<std::uint8_t> block(std::min<std::size_t>(size, 1u << 20));
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>((i * 2654435761u + seed) >> 13);
    for (std::size_t done = 0; done < size;) {
        DWORD written = 0;
        const auto n = static_cast<DWORD>(std::min(block.size(), size - done));
        WriteFile(file.get(), block.data(), n, &written, nullptr);
        done += written;
    }
    // Large sources go to the disk now, so that their write-back does not run beside the timed runs.
    if (size >= kFlushedFileSize)
        FlushFileBuffers(file.get());
}

// folders x files of the given size: <root>\folder<n>\<stem><m><extension>.
void writeTree(const std::wstring& root, int folders, int filesPerFolder, std::size_t size, const wchar_t* stem,
               const wchar_t* extension)
{
    CreateDirectoryW(root.c_str(), nullptr);
    for (int folder = 0; folder < folders; ++folder) {
        const std::wstring path = root + L"\\folder" + std::to_wstring(folder);
        CreateDirectoryW(path.c_str(), nullptr);
        for (int file = 0; file < filesPerFolder; ++file)
            writeFile(path + L"\\" + stem + std::to_wstring(file) + extension, size,
                      static_cast<unsigned>(folder * 1000 + file));
    }
}

std::size_t peakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

// Runs a command line with its output thrown away; its wall-clock time.
double runCommand(std::wstring command)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const yk::UniqueHandle nul(
        CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = nul.get();
    startup.hStdError = nul.get();
    PROCESS_INFORMATION process{};
    return seconds([&] {
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &process))
            return;
        const yk::UniqueHandle processHandle(process.hProcess);
        const yk::UniqueHandle threadHandle(process.hThread);
        WaitForSingleObject(process.hProcess, INFINITE);
    });
}

// What every case works with: the folders, the settings of the runs, and the runs themselves.
struct Bench {
    Bench(const std::wstring& workFolder, wchar_t letter, bool dialogs)
        : work(workFolder), dialogs(dialogs), headless(host), withDialogs(run, host),
          runs(yk::RunContext{run, device, host, settings, names, restoreChoice, quiet, reporting(), quiet})
    {
        device.connected = device.sdEnabled = true;
        device.strDriveID = std::wstring{letter, L':'} + L"SD Card Reader";
        cardUser = std::wstring{letter, L':', L'\\'} + L"YarrowkeepCross\\YKBENCH";
    }

    yk::RunReporting& reporting() { return dialogs ? static_cast<yk::RunReporting&>(withDialogs) : headless; }
    yk::RunStatus status() const { return dialogs ? withDialogs.status : headless.status; }
    yk::RunCounts counts() const { return dialogs ? withDialogs.counts : headless.counts; }

    // Times one run and says so when it did not copy (or skip) what it should have.
    double timed(void (yk::BackupRuns::*runFunction)(), std::uint32_t expectedCopied, std::uint32_t expectedSkipped = 0)
    {
        const double elapsed = seconds([&] { (runs.*runFunction)(); });
        if (status() != yk::RunStatus::Complete || counts().copied != expectedCopied ||
            counts().skipped != expectedSkipped)
            std::fwprintf(stderr, L"a run did not end as expected: %u copied, %u skipped\n", counts().copied,
                          counts().skipped);
        return elapsed;
    }

    std::wstring work;
    std::wstring cardUser;
    bool dialogs;
    const std::wstring settingsRoot = L"Software\\YarrowkeepBenchmark";
    const yk::SettingsProfile settings{settingsRoot + L"\\Yarrowkeep"};
    yk::Win32DeviceHost host;
    yk::DeviceState device;
    const yk::IdentityNames names{L"YKBENCH", L"bench"};
    yk::RunState run;
    std::int32_t restoreChoice = 0;
    Quiet quiet;
    Headless headless;
    WithDialogs withDialogs;
    yk::BackupRuns runs;
};

void printRates(const wchar_t* label, double time, double megabytes, double medianTime = 0)
{
    std::wprintf(L"  %-20ls %8.3f s   %8.1f MiB/s", label, time, megabytes / time);
    if (medianTime > 0)
        std::wprintf(L"   (%.3f s)", medianTime);
    std::wprintf(L"\n");
}

// Runs `timed(false)` (the reference) and `timed(true)` (the one measured against it) in every round, in turns
// (the reference first in even rounds), so that neither always meets the cache state the other leaves; the
// times of the reference and of the other.
std::pair<std::vector<double>, std::vector<double>> takingTurns(const std::function<double(bool measured)>& timed)
{
    std::pair<std::vector<double>, std::vector<double>> times;
    for (int round = 0; round < kTreeRounds; ++round) {
        const bool referenceFirst = round % 2 == 0;
        for (const bool measured : {!referenceFirst, referenceFirst})
            (measured ? times.second : times.first).push_back(timed(measured));
    }
    return times;
}

// Two lines of rates, the reference first, and the measured one's throughput over the reference's: best of the
// rounds, the median in brackets.
void printTurns(const wchar_t* referenceLabel, const wchar_t* measuredLabel,
                const std::pair<std::vector<double>, std::vector<double>>& times, double megabytes,
                const wchar_t* ratioNote)
{
    const auto& [reference, measured] = times;
    printRates(referenceLabel, best(reference), megabytes, median(reference));
    printRates(measuredLabel, best(measured), megabytes, median(measured));
    std::wprintf(L"  ratio                %8.2f   (%.2f)   %ls\n", best(reference) / best(measured),
                 median(reference) / median(measured), ratioNote);
}

// 1. A few large files against CopyFileW.
void largeFiles(Bench& bench)
{
    const std::wstring large = bench.work + L"\\large";
    const std::wstring copies = bench.work + L"\\copies";
    CreateDirectoryW(large.c_str(), nullptr);
    for (int i = 0; i < kLargeFiles; ++i)
        writeFile(large + L"\\file" + std::to_wstring(i) + L".bin", kLargeFileSize, static_cast<unsigned>(i));
    yk::setBackupDirectory(bench.settings, large);
    const double megabytes = static_cast<double>(kLargeFiles * kLargeFileSize) / 1048576.0;
    const auto times = takingTurns([&](bool run) {
        if (run) {
            removeTree(bench.cardUser);
            return bench.timed(&yk::BackupRuns::normalBackupFunc, kLargeFiles);
        }
        removeTree(copies);
        CreateDirectoryW(copies.c_str(), nullptr);
        return seconds([&] {
            for (int i = 0; i < kLargeFiles; ++i) {
                const std::wstring name = L"\\file" + std::to_wstring(i) + L".bin";
                CopyFileW((large + name).c_str(), (copies + name).c_str(), FALSE);
            }
        });
    });
    std::wprintf(L"%d files of %zu MiB (best of %d; median in brackets)\n", kLargeFiles, kLargeFileSize >> 20,
                 kTreeRounds);
    printTurns(L"CopyFileW", L"backup run", times, megabytes, L"run/CopyFileW throughput; goal: at least 1.20");
    std::wprintf(L"\n");
    removeTree(copies);
    removeTree(large);
    removeTree(bench.cardUser);
}

// 2. The first and the no-change runs over many small files against xcopy. The first run and the first xcopy
// take turns over the rounds (each into an empty target), as do the no-change run and xcopy.
void smallFiles(Bench& bench)
{
    const std::wstring small = bench.work + L"\\small";
    const std::wstring mirror = bench.work + L"\\mirror";
    writeTree(small, kSmallFolders, kSmallFilesPerFolder, kSmallFileSize, L"f", L".txt");
    constexpr int kSmallFiles = kSmallFolders * kSmallFilesPerFolder;
    yk::setBackupDirectory(bench.settings, small);
    const std::size_t memoryBefore = peakWorkingSet();
    const std::wstring xcopy = L"xcopy \"" + small + L"\" \"" + mirror + L"\" /D /E /I /Y";
    std::vector<double> firstRuns;
    std::vector<double> firstXcopies;
    for (int round = 0; round < kRounds; ++round) {
        removeTree(bench.cardUser);
        removeTree(mirror);
        const auto runFirst = [&] { firstRuns.push_back(bench.timed(&yk::BackupRuns::normalBackupFunc, kSmallFiles)); };
        const auto xcopyFirst = [&] { firstXcopies.push_back(runCommand(xcopy)); };
        if (round % 2 == 0) {
            runFirst();
            xcopyFirst();
        } else {
            xcopyFirst();
            runFirst();
        }
    }
    std::vector<double> unchangedRuns;
    std::vector<double> unchangedXcopies;
    for (int round = 0; round < kRounds; ++round) {
        unchangedRuns.push_back(bench.timed(&yk::BackupRuns::normalBackupFunc, 0, kSmallFiles));
        unchangedXcopies.push_back(runCommand(xcopy));
    }
    const std::size_t memoryAfter = peakWorkingSet();
    std::wprintf(L"%d small files of %zu bytes in %d folders (best of %d; median in brackets)\n", kSmallFiles,
                 kSmallFileSize, kSmallFolders, kRounds);
    std::wprintf(L"  first backup run      %8.3f s   (%.3f s)\n", best(firstRuns), median(firstRuns));
    std::wprintf(L"  first xcopy           %8.3f s   (%.3f s)\n", best(firstXcopies), median(firstXcopies));
    std::wprintf(L"  ratio                 %8.2f   (%.2f)   run/xcopy time; goal: at most 1.00\n",
                 best(firstRuns) / best(firstXcopies), median(firstRuns) / median(firstXcopies));
    std::wprintf(L"  no-change backup run  %8.3f s   (%.3f s)\n", best(unchangedRuns), median(unchangedRuns));
    std::wprintf(L"  xcopy /D /E /I /Y     %8.3f s   (%.3f s)   (includes starting xcopy)\n", best(unchangedXcopies),
                 median(unchangedXcopies));
    std::wprintf(L"  ratio                 %8.2f   (%.2f)   run/xcopy time; goal: at most 0.50\n",
                 best(unchangedRuns) / best(unchangedXcopies), median(unchangedRuns) / median(unchangedXcopies));
    std::wprintf(L"  peak working set      %8.1f MiB before the runs, %.1f MiB after\n\n",
                 static_cast<double>(memoryBefore) / 1048576.0, static_cast<double>(memoryAfter) / 1048576.0);
    removeTree(mirror);
    removeTree(small);
    removeTree(bench.cardUser);
}

// 4. Trees of many files: the time per file should stay flat from 20,000 to 200,000 files, and the memory
// should follow the largest folder, not the whole tree. The trees run in that order, so each peak working set
// (the process's highest so far) shows what that tree added.
void scaleTrees(Bench& bench)
{
    constexpr std::size_t kFileSize = 256;
    const struct {
        const wchar_t* label;
        int folders;
        int filesPerFolder;
    } trees[] = {
        {L"20,000 files in 2,000 folders", 2000, 10},
        {L"200,000 files in 20,000 folders", 20000, 10},
        {L"50,000 files in one folder", 1, 50000},
    };
    std::wprintf(L"scale: %zu-byte files; peak working set %.1f MiB before the first tree\n", kFileSize,
                 static_cast<double>(peakWorkingSet()) / 1048576.0);
    for (const auto& tree : trees) {
        const std::wstring root = bench.work + L"\\scale";
        const auto files = static_cast<std::uint32_t>(tree.folders * tree.filesPerFolder);
        writeTree(root, tree.folders, tree.filesPerFolder, kFileSize, L"f", L".txt");
        yk::setBackupDirectory(bench.settings, root);
        removeTree(bench.cardUser);
        const double first = bench.timed(&yk::BackupRuns::normalBackupFunc, files);
        const double unchanged = bench.timed(&yk::BackupRuns::normalBackupFunc, 0, files);
        std::wprintf(L"scale: %ls: first run %.1f s (%.0f us/file), no-change run %.1f s (%.0f us/file), "
                     L"peak working set %.1f MiB\n",
                     tree.label, first, first * 1e6 / files, unchanged, unchanged * 1e6 / files,
                     static_cast<double>(peakWorkingSet()) / 1048576.0);
        std::fflush(stdout);
        removeTree(root);
        removeTree(bench.cardUser);
    }
}

// 3. The encrypted backup of a 1 GiB tree against the plain backup of the same tree. The two runs take turns
// in every round so that neither always meets a fuller write-back cache.
void encryptedTree(Bench& bench)
{
    const std::wstring tree = bench.work + L"\\tree";
    writeTree(tree, kTreeFolders, kTreeFilesPerFolder, kTreeFileSize, L"photo", L".jpg");
    constexpr int kTreeFiles = kTreeFolders * kTreeFilesPerFolder;
    yk::setBackupDirectory(bench.settings, tree);
    const auto key = yk::makePasswordKey("benchmark password");
    yk::writeDefaultPassword(bench.settings, *key);
    const double megabytes = static_cast<double>(kTreeFiles * kTreeFileSize) / 1048576.0;
    const auto backups = takingTurns([&](bool encrypted) {
        removeTree(bench.cardUser);
        return bench.timed(encrypted ? &yk::BackupRuns::encryptBackupFunc : &yk::BackupRuns::normalBackupFunc,
                           kTreeFiles);
    });
    // Both backups on the card, then the restores of each into an empty folder, taking turns in the same way.
    removeTree(bench.cardUser);
    bench.timed(&yk::BackupRuns::normalBackupFunc, kTreeFiles);
    bench.timed(&yk::BackupRuns::encryptBackupFunc, kTreeFiles);
    const std::wstring restored = bench.work + L"\\restored";
    const auto restores = takingTurns([&](bool encrypted) {
        removeTree(restored);
        CreateDirectoryW(restored.c_str(), nullptr);
        const std::wstring source = yk::backupTargetFolder(bench.device, bench.names, encrypted);
        const auto mode = encrypted ? yk::CopyMode::Decrypt : yk::CopyMode::Plain;
        bench.run.resetForRun();
        const double elapsed =
            seconds([&] { bench.runs.restoreDirFromSourceDirPath(source, restored, mode, *key, false, {}, true); });
        if (bench.run.copiedFiles != kTreeFiles)
            std::fwprintf(stderr, L"a restore did not copy every file: %u\n", bench.run.copiedFiles);
        return elapsed;
    });
    removeTree(restored);

    // The cipher alone in this process, over the same amount in 1 MiB blocks.
    std::vector<std::uint8_t> block(1u << 20);
    const double cipherTime = seconds([&] {
        for (std::size_t done = 0; done < kTreeFiles * kTreeFileSize; done += block.size())
            yk::encryptChunk(block, block.size(), *key);
    });
    std::wprintf(L"a tree of %d files of %zu MiB in %d folders, 1 GiB (best of %d; median in brackets)\n", kTreeFiles,
                 kTreeFileSize >> 20, kTreeFolders, kTreeRounds);
    std::wprintf(L"  AES instructions %ls\n", yk::aesAcceleratedAvailable() ? L"used" : L"absent");
    printRates(L"cipher alone", cipherTime, megabytes);
    printTurns(L"plain backup", L"encrypted backup", backups, megabytes,
               L"encrypted/plain throughput; goal: at least 0.97");
    printTurns(L"plain restore", L"decrypting restore", restores, megabytes,
               L"decrypting/plain throughput; goal: at least 0.95");
    std::wprintf(L"\n");
    removeTree(tree);
    removeTree(bench.cardUser);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring work = argc > 1 ? argv[1] : std::wstring(temp) + L"yk-runbench";
    if (work.back() == L'\\')
        work.pop_back();
    const wchar_t letter = argc > 2 ? argv[2][0] : L'C';
    bool dialogs = false;
    std::vector<std::wstring> cases;
    for (int i = 3; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"dialogs")
            dialogs = true;
        else if (option == L"large" || option == L"small" || option == L"encrypted" || option == L"scale")
            cases.push_back(option);
        else {
            std::fwprintf(stderr, L"unknown option %ls\n", option.c_str());
            return 2;
        }
    }
    if (cases.empty())
        cases = {L"large", L"small", L"encrypted"};

    Bench bench(work, letter, dialogs);
    removeTree(work);
    removeTree(bench.cardUser);
    CreateDirectoryW(work.c_str(), nullptr);
    std::wprintf(L"work folder %ls, card %lc:, progress %ls\n\n", work.c_str(), letter,
                 dialogs ? L"in the dialog" : L"without a window");
    for (const std::wstring& name : cases) {
        if (name == L"large")
            largeFiles(bench);
        else if (name == L"small")
            smallFiles(bench);
        else if (name == L"scale")
            scaleTrees(bench);
        else
            encryptedTree(bench);
    }
    removeTree(work);
    removeTree(bench.cardUser);
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(bench.cardUser).parent_path(), ignored); // only when empty
    RegDeleteTreeW(HKEY_CURRENT_USER, bench.settingsRoot.c_str());
    return 0;
}
