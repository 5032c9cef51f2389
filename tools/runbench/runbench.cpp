// The plain backup against the system's own copies, printed side by side:
//   runbench [work folder] [card letter]
// 1. a few large files: a backup run against CopyFileW of the same files;
// 2. a second, no-change run over 20,000 small files against "xcopy /D /E /I /Y" over the same tree.
// The run goes to <card letter>:\YarrowkeepCross\YKBENCH (removed afterwards), the rest under the work folder.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/Win32Handles.h"
#include "backup/BackupRuns.h"
#include "backup/CopyDialogs.h"
#include "backup/MessagePump.h"
#include "device/Win32DeviceHost.h"

namespace {

constexpr int kLargeFiles = 4;
constexpr std::size_t kLargeFileSize = 128u << 20;
constexpr int kSmallFolders = 200;
constexpr int kSmallFilesPerFolder = 100;
constexpr std::size_t kSmallFileSize = 1024;
constexpr int kRounds = 3;

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

class Find {
public:
    Find(const std::wstring& pattern, WIN32_FIND_DATAW& data) : handle_(FindFirstFileW(pattern.c_str(), &data)) {}
    ~Find()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    Find(const Find&) = delete;
    Find& operator=(const Find&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAW& data) { return FindNextFileW(handle_, &data) != FALSE; }

private:
    HANDLE handle_;
};

void removeTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    if (Find find(path + L"\\*", data); find) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path + L"\\" + name);
            else
                DeleteFileW((path + L"\\" + name).c_str());
        } while (find.next(data));
    }
    RemoveDirectoryW(path.c_str());
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

} // namespace

int wmain(int argc, wchar_t** argv)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring work = argc > 1 ? argv[1] : std::wstring(temp) + L"yk-runbench";
    if (work.back() == L'\\')
        work.pop_back();
    const wchar_t letter = argc > 2 ? argv[2][0] : L'C';
    const bool dialogs = argc > 3 && std::wstring(argv[3]) == L"dialogs";

    yk::Win32DeviceHost host;
    yk::DeviceState device;
    device.connected = device.sdEnabled = true;
    device.strDriveID = std::wstring{letter, L':'} + L"SD Card Reader";
    const yk::IdentityNames names{L"YKBENCH", L"bench"};
    const std::wstring cardUser = std::wstring{letter, L':', L'\\'} + L"YarrowkeepCross\\YKBENCH";
    const std::wstring card = cardUser + L"\\bench\\Normal Backup";
    const std::wstring settingsRoot = L"Software\\YarrowkeepBenchmark";
    const yk::SettingsProfile settings(settingsRoot + L"\\Yarrowkeep");
    yk::RunState run;
    std::int32_t restoreChoice = 0;
    Quiet quiet;
    Headless headless(host);
    WithDialogs withDialogs(run, host);
    yk::RunReporting& reporting = dialogs ? static_cast<yk::RunReporting&>(withDialogs) : headless;
    yk::BackupRuns runs(yk::RunContext{run, device, host, settings, names, restoreChoice, quiet, reporting, quiet});
    const auto status = [&] { return dialogs ? withDialogs.status : headless.status; };
    const auto counts = [&] { return dialogs ? withDialogs.counts : headless.counts; };

    removeTree(work);
    removeTree(cardUser);
    CreateDirectoryW(work.c_str(), nullptr);
    std::wprintf(L"work folder %ls, card %lc:, progress %ls\n\n", work.c_str(), letter,
                 dialogs ? L"in the dialog" : L"without a window");

    // 1. A few large files.
    const std::wstring large = work + L"\\large";
    const std::wstring copies = work + L"\\copies";
    CreateDirectoryW(large.c_str(), nullptr);
    for (int i = 0; i < kLargeFiles; ++i)
        writeFile(large + L"\\file" + std::to_wstring(i) + L".bin", kLargeFileSize, static_cast<unsigned>(i));
    yk::setBackupDirectory(settings, large);
    const double megabytes = static_cast<double>(kLargeFiles * kLargeFileSize) / 1048576.0;
    std::vector<double> runTimes;
    std::vector<double> copyTimes;
    for (int round = 0; round < kRounds; ++round) {
        removeTree(cardUser);
        runTimes.push_back(seconds([&] { runs.normalBackupFunc(); }));
        if (status() != yk::RunStatus::Complete || counts().copied != kLargeFiles)
            std::fwprintf(stderr, L"the backup run did not copy every file\n");
        removeTree(copies);
        CreateDirectoryW(copies.c_str(), nullptr);
        copyTimes.push_back(seconds([&] {
            for (int i = 0; i < kLargeFiles; ++i) {
                const std::wstring name = L"\\file" + std::to_wstring(i) + L".bin";
                CopyFileW((large + name).c_str(), (copies + name).c_str(), FALSE);
            }
        }));
    }
    const double runRate = megabytes / best(runTimes);
    const double copyRate = megabytes / best(copyTimes);
    std::wprintf(L"%d files of %zu MiB (best of %d)\n", kLargeFiles, kLargeFileSize >> 20, kRounds);
    std::wprintf(L"  backup run   %8.3f s   %8.1f MiB/s\n", best(runTimes), runRate);
    std::wprintf(L"  CopyFileW    %8.3f s   %8.1f MiB/s\n", best(copyTimes), copyRate);
    std::wprintf(L"  ratio        %8.2f   (goal: at least 0.90)\n\n", runRate / copyRate);
    removeTree(copies);
    removeTree(large);
    removeTree(cardUser);

    // 2. A no-change run over many small files.
    const std::wstring small = work + L"\\small";
    const std::wstring mirror = work + L"\\mirror";
    CreateDirectoryW(small.c_str(), nullptr);
    for (int folder = 0; folder < kSmallFolders; ++folder) {
        const std::wstring path = small + L"\\folder" + std::to_wstring(folder);
        CreateDirectoryW(path.c_str(), nullptr);
        for (int file = 0; file < kSmallFilesPerFolder; ++file)
            writeFile(path + L"\\f" + std::to_wstring(file) + L".txt", kSmallFileSize,
                      static_cast<unsigned>(folder * 1000 + file));
    }
    yk::setBackupDirectory(settings, small);
    const std::size_t memoryBefore = peakWorkingSet();
    const double firstRun = seconds([&] { runs.normalBackupFunc(); });
    const std::wstring xcopy = L"xcopy \"" + small + L"\" \"" + mirror + L"\" /D /E /I /Y";
    const double firstXcopy = runCommand(xcopy);
    std::vector<double> unchangedRuns;
    std::vector<double> unchangedXcopies;
    for (int round = 0; round < kRounds; ++round) {
        unchangedRuns.push_back(seconds([&] { runs.normalBackupFunc(); }));
        if (counts().skipped != kSmallFolders * kSmallFilesPerFolder)
            std::fwprintf(stderr, L"the no-change run did not skip every file\n");
        unchangedXcopies.push_back(runCommand(xcopy));
    }
    const std::size_t memoryAfter = peakWorkingSet();
    std::wprintf(L"%d small files in %d folders (best of %d)\n", kSmallFolders * kSmallFilesPerFolder, kSmallFolders,
                 kRounds);
    std::wprintf(L"  first backup run      %8.3f s;  first xcopy %8.3f s\n", firstRun, firstXcopy);
    std::wprintf(L"  no-change backup run  %8.3f s\n", best(unchangedRuns));
    std::wprintf(L"  xcopy /D /E /I /Y     %8.3f s   (includes starting xcopy)\n", best(unchangedXcopies));
    std::wprintf(L"  ratio                 %8.2f   (goal: at most 1.00)\n",
                 best(unchangedRuns) / best(unchangedXcopies));
    std::wprintf(L"  peak working set      %8.1f MiB before the runs, %.1f MiB after\n",
                 static_cast<double>(memoryBefore) / 1048576.0, static_cast<double>(memoryAfter) / 1048576.0);

    removeTree(mirror);
    removeTree(small);
    removeTree(cardUser);
    removeTree(work);
    RegDeleteTreeW(HKEY_CURRENT_USER, settingsRoot.c_str());
    return 0;
}
