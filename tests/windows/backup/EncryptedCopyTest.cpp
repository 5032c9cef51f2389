// Encrypting backups onto the simulated card and decrypting restores back, file by file.
#include "RunHarness.h"

#include "backup/BackupPaths.h"
#include "secure/EncryptedFile.h"

namespace yk::test {
namespace {

constexpr std::uint64_t kSecond = 10'000'000;

PasswordKey keyOf(const char* password)
{
    return *makePasswordKey(password);
}

class EncryptedCopy : public CardRunTest {
protected:
    std::wstring cardFolder() const { return card.root() + L"YarrowkeepCross\\" + names.computerName + L"\\enc"; }

    bool backUp(const PasswordKey& key)
    {
        run.resetForRun();
        makeFolders(cardFolder()); // the run ensures its top folder before the walk
        return runs.copyDirFromSourceDirPath(pc.path(), cardFolder(), true, key, true);
    }
    bool restore(const std::wstring& source, const std::wstring& target, const PasswordKey& key)
    {
        run.resetForRun();
        return runs.restoreDirFromSourceDirPath(source, target, CopyMode::Decrypt, key, false, DateRange{}, true);
    }

    ScratchFolder back{L"back"};
    const PasswordKey key = keyOf("correct horse");
};

TEST_F(EncryptedCopy, FilesOfEverySizeRoundTripInTheirEncryptedSize)
{
    struct Case {
        const wchar_t* name;
        std::size_t size;
        std::uint64_t stored;
    };
    const Case cases[] = {
        {L"zero.bin", 0, 512},
        {L"one.bin", 1, 512 + 32},
        {L"thirty-two.bin", 32, 512 + 32},
        {L"sub\\33.bin", 33, 512 + 64},
        {L"chunk.bin", 131072, 512 + 131072},
        {L"chunk1.bin", 131073, 512 + 131104},
        {L"big.bin", 3 * 131072 + 5, 512 + 3 * 131072 + 32},
    };
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    for (const auto& c : cases)
        writeFile(pc / c.name, patternBytes(c.size, narrow(c.name)), t);

    ASSERT_TRUE(backUp(key));
    EXPECT_EQ(run.copiedFiles, std::size(cases));
    for (const auto& c : cases) {
        const std::wstring stored = cardFolder() + L"\\" + c.name + L".vltrin";
        ASSERT_TRUE(exists(stored)) << narrow(c.name);
        EXPECT_EQ(readFile(stored).size(), c.stored) << narrow(c.name);
        EXPECT_EQ(lastWriteUtc(stored), t) << "the encrypted file carries the plain file's time";
        // Never the plain bytes on the card.
        if (c.size >= 32) {
            const auto cipher = readFile(stored);
            const auto plain = readFile(pc / c.name);
            EXPECT_NE(std::vector<std::uint8_t>(cipher.begin() + 512, cipher.begin() + 544),
                      std::vector<std::uint8_t>(plain.begin(), plain.begin() + 32));
        }
    }
    // The header holds the magic and the big-endian plain size.
    auto header = readFile(cardFolder() + L"\\chunk1.bin.vltrin");
    header.resize(512);
    EXPECT_EQ(readEncryptedHeader(header, key), 131073u);

    ASSERT_TRUE(restore(cardFolder(), back.path(), key));
    EXPECT_EQ(run.copiedFiles, std::size(cases));
    EXPECT_EQ(run.failedFiles + run.wrongPasswordFiles + run.skippedFiles, 0u);
    std::string why;
    EXPECT_TRUE(sameTree(pc.path(), back.path(), why)) << why;
    EXPECT_EQ(lastWriteUtc(back / L"chunk1.bin"), t);
}

// The body as the format lays it out: 128 KiB chunks, each padded to 32 bytes and encrypted on its own.
std::vector<std::uint8_t> formatBody(const std::vector<std::uint8_t>& plain, const PasswordKey& key)
{
    std::vector<std::uint8_t> body;
    for (std::size_t at = 0; at < plain.size(); at += kEncryptedChunkSize) {
        const std::size_t count = std::min(kEncryptedChunkSize, plain.size() - at);
        std::vector<std::uint8_t> chunk(plain.begin() + at, plain.begin() + at + count);
        chunk.resize(kEncryptedChunkSize + kEncryptedPaddingUnit);
        const auto padded = encryptChunk(chunk, count, key);
        body.insert(body.end(), chunk.begin(), chunk.begin() + *padded);
    }
    return body;
}

TEST_F(EncryptedCopy, StoredBytesAreTheFormatsChunksWhateverTheFilesLength)
{
    // Lengths around the 1 MiB blocks the copy writes (the first holds the header and that much less of the
    // file) and around the blocks it reads, and a last chunk with padding.
    const std::size_t sizes[] = {1048576 - 513,     1048576 - 512,     1048576 - 511,
                                 1048576 - 1,       1048576,           1048576 + 1,
                                 2 * 1048576 - 512, 2 * 1048576 - 479, 2 * 1048576 + 3 * 131072 + 77};
    for (const std::size_t size : sizes)
        writeFile(pc / (L"f" + std::to_wstring(size) + L".bin"), patternBytes(size, std::to_string(size)));
    ASSERT_TRUE(backUp(key));
    ASSERT_EQ(run.copiedFiles, std::size(sizes));
    for (const std::size_t size : sizes) {
        const std::wstring name = L"f" + std::to_wstring(size) + L".bin";
        const auto stored = readFile(cardFolder() + L"\\" + name + L".vltrin");
        ASSERT_GE(stored.size(), kEncryptedHeaderSize) << size;
        EXPECT_EQ(readEncryptedHeader(std::span(stored).first(kEncryptedHeaderSize), key), size);
        const std::vector<std::uint8_t> body(stored.begin() + kEncryptedHeaderSize, stored.end());
        EXPECT_TRUE(body == formatBody(readFile(pc / name), key)) << "body of a file of " << size << " bytes";
    }
    ASSERT_TRUE(restore(cardFolder(), back.path(), key));
    EXPECT_EQ(run.copiedFiles, std::size(sizes));
    std::string why;
    EXPECT_TRUE(sameTree(pc.path(), back.path(), why)) << why;
}

TEST_F(EncryptedCopy, AnInterruptedFileNeverAppearsUnderItsName)
{
    // Several blocks, so that one is being ciphered while another is read when the run is interrupted.
    const auto plain = patternBytes(12 * 1048576 + 7, "large");
    writeFile(pc / L"large.bin", plain);
    const std::wstring stored = cardFolder() + L"\\large.bin.vltrin";

    reporting.onBytes = [&](std::uint64_t done) {
        if (done > 3 * 1048576)
            run.cancelRequested = 1;
    };
    EXPECT_TRUE(backUp(key)) << "a cancel ends the walk without a failure";
    EXPECT_EQ(run.failedFiles, 1u);
    EXPECT_FALSE(exists(stored));
    EXPECT_TRUE(temporariesBelow(cardFolder()).empty());

    bool pulled = false;
    reporting.onBytes = [&](std::uint64_t done) {
        if (!pulled && done >= 2 * 1048576) {
            pulled = true;
            ASSERT_TRUE(card.unplug()) << "the device notice never came";
        }
    };
    EXPECT_FALSE(backUp(key));
    EXPECT_TRUE(run.transferFailed);
    EXPECT_FALSE(
        exists(card.folderBehindTheCard() + L"\\YarrowkeepCross\\" + names.computerName + L"\\enc\\large.bin.vltrin"));

    // Back again: the whole file, and it decrypts to the plain bytes.
    ASSERT_TRUE(card.attach());
    reporting.onBytes = nullptr;
    ASSERT_TRUE(backUp(key));
    EXPECT_EQ(run.copiedFiles, 1u);
    EXPECT_TRUE(temporariesBelow(cardFolder()).empty()) << "the stale temporary goes with the next run";
    ASSERT_TRUE(restore(cardFolder(), back.path(), key));
    EXPECT_EQ(readFile(back / L"large.bin"), plain);
}

TEST_F(EncryptedCopy, SecondRunSkipsAndAChangedFileGetsANumberedVersion)
{
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    writeFile(pc / L"photo.jpg", patternBytes(5000, "first"), t);
    ASSERT_TRUE(backUp(key));
    EXPECT_EQ(run.copiedFiles, 1u);

    ASSERT_TRUE(backUp(key));
    EXPECT_EQ(run.skippedFiles, 1u);
    EXPECT_EQ(run.copiedFiles, 0u);

    writeFile(pc / L"photo.jpg", patternBytes(6000, "second"), t + 60 * kSecond);
    ASSERT_TRUE(backUp(key));
    EXPECT_EQ(run.copiedFiles, 1u);
    EXPECT_EQ(filesBelow(cardFolder()), (std::vector<std::wstring>{L"photo (2).jpg.vltrin", L"photo.jpg.vltrin"}));

    // Both versions decrypt to what they were.
    ASSERT_TRUE(restore(cardFolder(), back.path(), key));
    EXPECT_EQ(readFile(back / L"photo (2).jpg"), patternBytes(6000, "second"));
    EXPECT_EQ(readFile(back / L"photo.jpg"), patternBytes(5000, "first"));
}

TEST_F(EncryptedCopy, WrongPasswordWritesNothingAndCountsEveryFileUndone)
{
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"sub\\d.txt"})
        writeFile(pc / name, patternBytes(700, narrow(name)), t);
    ASSERT_TRUE(backUp(key));

    EXPECT_TRUE(restore(cardFolder(), back.path(), keyOf("wrong")));
    EXPECT_EQ(run.wrongPasswordFiles, 4u);
    EXPECT_EQ(run.failedFiles, 4u);
    EXPECT_EQ(run.copiedFiles, 0u);
    EXPECT_TRUE(filesBelow(back.path()).empty());
    std::uint64_t encryptedBytes = 0;
    for (const auto& file : filesBelow(cardFolder()))
        encryptedBytes += readFile(cardFolder() + L"\\" + file).size();
    EXPECT_EQ(run.bytesDone, encryptedBytes) << "an undone file still counts with its whole size";
}

TEST_F(EncryptedCopy, OnlyEncryptedNamesAreRestoredWhateverTheirLetterCase)
{
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    writeFile(pc / L"a.txt", patternBytes(100, "a"), t);
    writeFile(pc / L"photo.JPG", patternBytes(200, "p"), t);
    ASSERT_TRUE(backUp(key));
    ASSERT_TRUE(
        MoveFileW((cardFolder() + L"\\photo.JPG.vltrin").c_str(), (cardFolder() + L"\\photo.JPG.VLTRIN").c_str()));
    writeFile(cardFolder() + L"\\b.txt", patternBytes(300, "b"), t); // a plain file among them

    ASSERT_TRUE(restore(cardFolder(), back.path(), key));
    EXPECT_EQ(run.copiedFiles, 2u);
    EXPECT_EQ(run.skippedFiles, 1u);
    EXPECT_EQ(filesBelow(back.path()), (std::vector<std::wstring>{L"a.txt", L"photo.JPG"}));
    EXPECT_EQ(readFile(back / L"photo.JPG"), patternBytes(200, "p"));
}

TEST_F(EncryptedCopy, TruncatedOrTamperedFilesAreNeverRestored)
{
    const std::uint64_t t = nowUtc() - 3600 * kSecond;
    writeFile(pc / L"cut.bin", patternBytes(200000, "cut"), t);
    writeFile(pc / L"whole.bin", patternBytes(1000, "whole"), t);
    ASSERT_TRUE(backUp(key));
    // Cut the body short: the header still announces 200,000 plain bytes.
    const std::wstring stored = cardFolder() + L"\\cut.bin.vltrin";
    auto bytes = readFile(stored);
    bytes.resize(512 + 65536);
    writeFile(stored, bytes, t);

    ASSERT_TRUE(restore(cardFolder(), back.path(), key));
    EXPECT_EQ(run.copiedFiles, 1u);
    EXPECT_EQ(run.failedFiles, 1u);
    EXPECT_EQ(run.wrongPasswordFiles, 0u) << "a damaged file is not a wrong password";
    EXPECT_EQ(filesBelow(back.path()), std::vector<std::wstring>{L"whole.bin"});
}

} // namespace
} // namespace yk::test
