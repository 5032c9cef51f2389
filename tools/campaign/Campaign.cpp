// The fault campaign: real backups and restores, plain and encrypted, through the run code and its real
// file layer, against the simulated accessory. Each case pulls the plug, removes the card, ejects it or
// fills the card (or the PC disk, for a restore) at one point of a run, then checks what is left, recovers,
// runs again and checks once more. Every case is rebuilt from its own seed:
//   YK_CAMPAIGN_FAULTS   faults to inject (cases whose point lies beyond the end of their run do not count)
//   YK_CAMPAIGN_SEED     the first case's seed; each further case's seed follows from the one before
// A case is replayed alone with YK_CAMPAIGN_SEED=<its seed> YK_CAMPAIGN_FAULTS=1.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <tuple>

#include "CampaignTrees.h"
#include "backup/BackupLocations.h"
#include "backup/RunState.h"
#include "secure/SettingsStore.h"
#include "windows/backup/RunHarness.h"

namespace yk::test {
namespace {

using campaign::Bytes;
using campaign::History;
using campaign::Tree;

constexpr std::uint64_t kSecond = 10'000'000;
constexpr std::int32_t kRestoreAll = 1;
// Points are counted over the run's progress reports and free-space questions.
constexpr int kLastPoint = 60;

enum class Kind { NormalBackup, EncryptedBackup, NormalRestore, DecryptRestore };
enum class Fault { Unplug, RemoveCard, Eject, Fill };

const char* nameOf(Kind kind)
{
    switch (kind) {
    case Kind::NormalBackup: return "normal backup";
    case Kind::EncryptedBackup: return "encrypted backup";
    case Kind::NormalRestore: return "normal restore";
    case Kind::DecryptRestore: return "decrypting restore";
    }
    return "?";
}

const char* nameOf(Fault fault)
{
    switch (fault) {
    case Fault::Unplug: return "plug pulled";
    case Fault::RemoveCard: return "card removed";
    case Fault::Eject: return "card ejected";
    case Fault::Fill: return "disk filled";
    }
    return "?";
}

const char* nameOf(std::optional<RunStatus> status)
{
    if (!status)
        return "no result";
    switch (*status) {
    case RunStatus::Complete: return "complete";
    case RunStatus::Fail: return "failed";
    case RunStatus::Cancel: return "cancelled";
    }
    return "?";
}

std::uint64_t nextSeed(std::uint64_t seed)
{
    // splitmix64: every seed leads to a well spread next one.
    std::uint64_t z = seed + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t environmentNumber(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

bool isBackup(Kind kind)
{
    return kind == Kind::NormalBackup || kind == Kind::EncryptedBackup;
}

bool isEncrypted(Kind kind)
{
    return kind == Kind::EncryptedBackup || kind == Kind::DecryptRestore;
}

// The backup a restore of this kind brings back.
Kind backupOf(Kind kind)
{
    return isEncrypted(kind) ? Kind::EncryptedBackup : Kind::NormalBackup;
}

struct Tally {
    int faults = 0;
    int truncated = 0;
    int lost = 0;
    int leftovers = 0;
    int falseSuccesses = 0;
    int unrecovered = 0;
};

class Campaign : public CardRunTest {
protected:
    // One case from its seed; false when its point lay beyond the end of the run (no fault happened).
    bool runCase(std::uint64_t seed);

    Tally tally;
    std::map<Kind, std::set<std::pair<Fault, int>>> points;

private:
    void resetCase();
    void writePcTree(std::mt19937_64& random);
    void changePcFiles(std::mt19937_64& random, bool forRestore);
    std::optional<RunStatus> runKind(Kind kind);
    void inject(Fault fault, Kind kind);
    void recover();
    std::wstring kindFolder(Kind kind) const;
    std::wstring kindFolderBehindTheCard(Kind kind);
    // The checks; each adds to the tally and says what it found.
    void checkAfter(Kind kind, std::optional<RunStatus> status, const char* stage);
    void complain(const char* stage, const char* what, const std::wstring& path);

    PasswordKey key{};
    History history;   // every content each PC file has had (backups)
    Tree before;       // the card (backups) or the PC folder (restores) before the faulted run
    Tree onCard;       // the plain bytes a restore can bring back
    std::uint64_t fillTo = 0;
    bool caseFailed = false;
};

std::wstring Campaign::kindFolder(Kind kind) const
{
    return card.root() + L"YarrowkeepCross\\" + names.computerName + L"\\" + names.userName +
           (isEncrypted(kind) ? L"\\Encrypt Backup" : L"\\Normal Backup");
}

std::wstring Campaign::kindFolderBehindTheCard(Kind kind)
{
    return card.folderBehindTheCard() + L"\\YarrowkeepCross\\" + names.computerName + L"\\" + names.userName +
           (isEncrypted(kind) ? L"\\Encrypt Backup" : L"\\Normal Backup");
}

void Campaign::resetCase()
{
    if (!card.device.connected || !card.host.volumeAnswers(card.letter())) {
        ASSERT_TRUE(card.attach());
    }
    host.clearFree();
    ASSERT_TRUE(removeTree(card.root() + L"YarrowkeepCross\\" + names.computerName));
    for (const auto& file : filesBelow(pc.path()))
        ASSERT_TRUE(removeTree(pc / file));
    prompts = ScriptedPrompts{};
    reporting.clear();
    host.onSpaceQuestion = nullptr;
    history.clear();
    before.clear();
    onCard.clear();
    caseFailed = false;
}

// 40 to 70 files in a few folders: empty, small, medium and some of several chunks.
void Campaign::writePcTree(std::mt19937_64& random)
{
    static const wchar_t* const folders[] = {L"", L"docs\\", L"docs\\old\\", L"photos\\", L"photos\\2026\\", L"x\\"};
    static const wchar_t* const extensions[] = {L".txt", L".jpg", L".bin", L"", L".tar.gz"};
    const int count = 40 + static_cast<int>(random() % 31);
    const std::uint64_t base = nowUtc() - 30 * 24 * 3600 * kSecond;
    for (int i = 0; i < count; ++i) {
        const std::wstring relative = std::wstring(folders[random() % 6]) + L"f" + std::to_wstring(i) +
                                      extensions[random() % 5];
        std::size_t size = 0;
        switch (random() % 10) {
        case 0: size = 0; break;
        case 1: case 2: case 3: size = 1 + random() % 4096; break;
        case 4: case 5: case 6: case 7: size = 4096 + random() % 400'000; break;
        default: size = 1'048'576 + random() % 2'500'000; break;
        }
        const Bytes bytes = patternBytes(size, std::to_string(random()));
        writeFile(pc / relative, bytes, base + (random() % 1'000'000) * kSecond);
        history[relative].push_back(bytes);
    }
}

// Backups: a third of the files change (new bytes, a later time) and a few come new. Restores: the PC loses
// half its files, and a quarter get bytes and times of their own, so the restore keeps both versions.
void Campaign::changePcFiles(std::mt19937_64& random, bool forRestore)
{
    const auto files = filesBelow(pc.path());
    for (const auto& relative : files) {
        const std::uint64_t choice = random() % 4;
        if (forRestore && choice < 2) {
            ASSERT_TRUE(removeTree(pc / relative));
        } else if (choice == 2 || (!forRestore && choice == 3 && random() % 2)) {
            const Bytes bytes = patternBytes(random() % 300'000, "changed " + std::to_string(random()));
            // Two hours and more later: never the same time, not even on a card keeping local time.
            writeFile(pc / relative, bytes, lastWriteUtc(pc / relative) + (7200 + random() % 100'000) * kSecond);
            history[relative].push_back(bytes);
        }
    }
    if (!forRestore) {
        for (int i = 0; i < 3; ++i) {
            const std::wstring relative = L"new\\n" + std::to_wstring(i) + L".txt";
            const Bytes bytes = patternBytes(random() % 20'000, "new " + std::to_string(random()));
            writeFile(pc / relative, bytes);
            history[relative].push_back(bytes);
        }
    }
}

std::optional<RunStatus> Campaign::runKind(Kind kind)
{
    // The results of the last run go; the fault points set for this one stay.
    auto onBytes = std::move(reporting.onBytes);
    auto onCounts = std::move(reporting.onCounts);
    reporting.clear();
    reporting.onBytes = std::move(onBytes);
    reporting.onCounts = std::move(onCounts);
    switch (kind) {
    case Kind::NormalBackup:
        runs.normalBackupFunc();
        break;
    case Kind::EncryptedBackup:
        runs.encryptBackupFunc();
        break;
    case Kind::NormalRestore:
    case Kind::DecryptRestore:
        prompts.folderAnswers = {kindFolder(kind)};
        prompts.passwordAnswers = {key};
        restoreChoice = kRestoreAll;
        if (kind == Kind::NormalRestore)
            runs.normalRestoreFunc();
        else
            runs.decryptRestoreFunc();
        break;
    }
    if (reporting.results.empty())
        return std::nullopt;
    return reporting.results.back().status;
}

void Campaign::inject(Fault fault, Kind kind)
{
    const wchar_t letter = card.letter();
    switch (fault) {
    case Fault::Unplug:
        if (!card.unplug())
            std::printf("    the plug was pulled but the program never heard of it\n");
        break;
    case Fault::RemoveCard:
    case Fault::Eject:
        // The card leaves the PC: taken out of the slot, or given back by the device.
        card.link.control(fault == Fault::RemoveCard ? "remove" : "release");
        if (!waitFor([&] { return !card.host.volumeAnswers(letter); }, 5000))
            std::printf("    the card's volume never went away\n");
        break;
    case Fault::Fill:
        host.setFree(isBackup(kind) ? letter : pc.path()[0], fillTo);
        break;
    }
}

void Campaign::recover()
{
    host.clearFree();
    if (!card.device.connected || !card.host.volumeAnswers(card.letter()))
        if (!card.attach())
            std::printf("    the card did not come back\n");
}

void Campaign::complain(const char* stage, const char* what, const std::wstring& path)
{
    caseFailed = true;
    std::printf("    %s: %s: %s\n", stage, what, narrow(path).c_str());
}

void Campaign::checkAfter(Kind kind, std::optional<RunStatus> status, const char* stage)
{
    const bool encrypted = isEncrypted(kind);
    if (isBackup(kind)) {
        // Looked at behind the card: after a fault its drive letter may be gone.
        const Tree now = campaign::readTree(kindFolderBehindTheCard(kind));
        for (const auto& [relative, bytes] : before) {
            const auto found = now.find(relative);
            if (found == now.end() || found->second != bytes) {
                ++tally.lost;
                complain(stage, found == now.end() ? "earlier version gone" : "earlier version changed", relative);
            }
        }
        for (const auto& [relative, bytes] : now) {
            const std::wstring plainPath = campaign::versionBase(relative, encrypted);
            const auto plain = encrypted ? campaign::decryptWhole(bytes, key) : std::optional<Bytes>(bytes);
            if (!plain || !campaign::holdsVersion(history, plainPath, *plain)) {
                ++tally.truncated;
                complain(stage, "file on the card is no whole version of its source", relative);
            }
        }
        if (status == RunStatus::Complete) {
            for (const auto& relative : filesBelow(pc.path())) {
                const Bytes current = readFile(pc / relative);
                bool kept = false;
                for (const auto& [stored, bytes] : now) {
                    if (campaign::versionBase(stored, encrypted) != relative)
                        continue;
                    const auto plain = encrypted ? campaign::decryptWhole(bytes, key) : std::optional<Bytes>(bytes);
                    kept = kept || (plain && *plain == current);
                }
                if (!kept) {
                    ++tally.falseSuccesses;
                    complain(stage, "reported complete, yet the file's current version is not on the card", relative);
                }
            }
        }
        return;
    }

    const Tree now = campaign::readTree(pc.path());
    for (const auto& [relative, bytes] : before) {
        const auto found = now.find(relative);
        if (found == now.end() || found->second != bytes) {
            ++tally.lost;
            complain(stage, found == now.end() ? "PC file gone" : "PC file changed", relative);
        }
    }
    for (const auto& [relative, bytes] : now) {
        if (const auto found = before.find(relative); found != before.end() && found->second == bytes)
            continue;
        const auto source = onCard.find(campaign::versionBase(relative, false));
        if (source == onCard.end() || source->second != bytes) {
            ++tally.truncated;
            complain(stage, "restored file differs from its source", relative);
        }
    }
    if (status == RunStatus::Complete) {
        for (const auto& [relative, bytes] : onCard) {
            bool restored = false;
            for (const auto& [present, presentBytes] : now)
                restored = restored || (campaign::versionBase(present, false) == relative && presentBytes == bytes);
            if (!restored) {
                ++tally.falseSuccesses;
                complain(stage, "reported complete, yet the file was not restored", relative);
            }
        }
    }
}

bool Campaign::runCase(std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    const auto kind = static_cast<Kind>(random() % 4);
    const auto fault = static_cast<Fault>(random() % 4);
    const int point = 1 + static_cast<int>(random() % kLastPoint);
    fillTo = random() % ((isBackup(kind) ? kBackupSpaceMargin : kRestoreSpaceMargin) + 3 * 1048576);

    resetCase();
    key = *makePasswordKey("campaign " + std::to_string(seed));
    EXPECT_TRUE(writeDefaultPassword(settings.profile(), key));
    writePcTree(random);

    if (isBackup(kind)) {
        // Half the cases back up onto a card that holds an earlier backup: the run writes numbered versions.
        if (random() % 2) {
            if (runKind(kind) != RunStatus::Complete)
                std::printf("    the earlier backup did not complete\n");
            changePcFiles(random, false);
        }
        before = campaign::readTree(kindFolderBehindTheCard(kind));
    } else {
        if (runKind(backupOf(kind)) != RunStatus::Complete)
            std::printf("    the backup to restore from did not complete\n");
        for (const auto& [relative, bytes] : campaign::readTree(pc.path()))
            onCard[relative] = bytes;
        changePcFiles(random, true);
        before = campaign::readTree(pc.path());
    }

    int events = 0;
    bool fired = false;
    const auto atPoint = [&] {
        if (++events == point && !fired) {
            fired = true;
            inject(fault, kind);
        }
    };
    // Points: every progress report, every count update (before each file) and every free-space question.
    reporting.onBytes = [&](std::uint64_t) { atPoint(); };
    reporting.onCounts = atPoint;
    host.onSpaceQuestion = atPoint;
    const auto faulted = runKind(kind);
    reporting.onBytes = nullptr;
    reporting.onCounts = nullptr;
    host.onSpaceQuestion = nullptr;

    checkAfter(kind, faulted, "after the fault");
    recover();
    const auto again = runKind(kind);
    if (again != RunStatus::Complete) {
        ++tally.unrecovered;
        caseFailed = true;
        std::printf("    the run after recovering ended %s\n", nameOf(again));
    }
    checkAfter(kind, again, "after the next run");
    const auto left = temporariesBelow(isBackup(kind) ? kindFolderBehindTheCard(kind) : pc.path());
    for (const auto& relative : left)
        complain("after the next run", "temporary left", relative);
    tally.leftovers += static_cast<int>(left.size());

    std::printf("case seed %" PRIu64 ": %s, %s at point %d of %d: %s%s, then %s: %s\n", seed, nameOf(kind),
                nameOf(fault), point, events, fired ? "" : "not reached, ", nameOf(faulted), nameOf(again),
                caseFailed ? "FAULT FOUND" : "ok");
    std::fflush(stdout);
    if (fired) {
        ++tally.faults;
        points[kind].insert({fault, point});
    }
    return fired;
}

TEST_F(Campaign, FaultsNeverTruncateLoseLeaveOrLie)
{
    const int faults = static_cast<int>(environmentNumber("YK_CAMPAIGN_FAULTS", 320));
    std::uint64_t seed = environmentNumber("YK_CAMPAIGN_SEED", nextSeed(GetTickCount64() ^ GetCurrentProcessId()));
    std::printf("campaign: %d faults from seed %" PRIu64 "\n", faults, seed);
    for (int cases = 0; tally.faults < faults && cases < 4 * faults + 8; ++cases) {
        runCase(seed);
        if (HasFatalFailure())
            return;
        seed = nextSeed(seed);
    }
    for (const Kind kind : {Kind::NormalBackup, Kind::EncryptedBackup, Kind::NormalRestore, Kind::DecryptRestore})
        std::printf("campaign: %s: %zu distinct fault points\n", nameOf(kind), points[kind].size());
    if (tally.unrecovered)
        std::printf("campaign: %d runs after a recovery did not complete\n", tally.unrecovered);
    std::printf("campaign: %d faults, %d truncated, %d lost, %d leftovers, %d false successes\n", tally.faults,
                tally.truncated, tally.lost, tally.leftovers, tally.falseSuccesses);
    EXPECT_EQ(tally.faults, faults);
    EXPECT_EQ(tally.truncated, 0);
    EXPECT_EQ(tally.lost, 0);
    EXPECT_EQ(tally.leftovers, 0);
    EXPECT_EQ(tally.falseSuccesses, 0);
    EXPECT_EQ(tally.unrecovered, 0);
}

} // namespace
} // namespace yk::test
