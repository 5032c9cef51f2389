#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <vector>

#include "secure/Aes.h"
#include "secure/EncryptedFile.h"

namespace yk {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr auto kMaxU64 = std::numeric_limits<std::uint64_t>::max();

PasswordKey keyOf(const char* password)
{
    return makePasswordKey(password).value();
}

Bytes randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

// A whole file as the encrypting copy writes it: header, then each chunk read padded and encrypted.
Bytes encryptFile(const Bytes& plain, const PasswordKey& key)
{
    Bytes file(kEncryptedHeaderSize);
    writeEncryptedHeader(std::span<std::uint8_t, kEncryptedHeaderSize>(file.data(), kEncryptedHeaderSize), plain.size(),
                         key);
    Bytes buffer(kEncryptedChunkSize + kEncryptedPaddingUnit);
    for (std::size_t offset = 0; offset < plain.size(); offset += kEncryptedChunkSize) {
        const std::size_t count = std::min(kEncryptedChunkSize, plain.size() - offset);
        std::copy_n(plain.begin() + offset, count, buffer.begin());
        const auto padded = encryptChunk(buffer, count, key);
        EXPECT_TRUE(padded);
        file.insert(file.end(), buffer.begin(), buffer.begin() + padded.value_or(0));
    }
    return file;
}

// The decrypting restore: empty for a wrong key or a body shorter than its header announces.
std::optional<Bytes> restoreFile(const Bytes& file, const PasswordKey& key)
{
    const auto plainSize = readEncryptedHeader(file, key);
    if (!plainSize || !bodyHoldsPlainSize(file.size() - kEncryptedHeaderSize, *plainSize))
        return std::nullopt;
    Bytes plain;
    std::uint64_t remaining = *plainSize;
    Bytes buffer(kEncryptedChunkSize + kEncryptedPaddingUnit);
    for (std::size_t offset = kEncryptedHeaderSize; offset < file.size(); offset += kEncryptedChunkSize) {
        const std::size_t count = std::min(kEncryptedChunkSize, file.size() - offset);
        std::copy_n(file.begin() + offset, count, buffer.begin());
        const auto toWrite = decryptChunk(buffer, count, key, remaining);
        if (!toWrite)
            return std::nullopt;
        plain.insert(plain.end(), buffer.begin(), buffer.begin() + *toWrite);
        remaining -= *toWrite;
    }
    return plain;
}

TEST(EncryptedFile, FileSizesAreHeaderPlusPlainSizeRoundedTo32AndRestoreExactly)
{
    const struct {
        std::size_t plain;
        std::size_t file;
    } cases[] = {{0, 512},       {1, 512 + 32},          {32, 512 + 32},
                 {33, 512 + 64}, {131072, 512 + 131072}, {131073, 512 + 131072 + 32}};
    const PasswordKey key = keyOf("correct horse");
    for (const auto& c : cases) {
        const Bytes plain = randomBytes(c.plain, static_cast<unsigned>(c.plain));
        const Bytes file = encryptFile(plain, key);
        EXPECT_EQ(file.size(), c.file) << c.plain << " plain bytes";
        EXPECT_EQ(encryptedFileSize(c.plain), c.file);
        EXPECT_EQ(restoreFile(file, key), plain) << c.plain << " plain bytes";
    }
}

TEST(EncryptedFile, HeaderHoldsMagicAndBigEndianSize)
{
    const PasswordKey key = keyOf("header");
    const std::uint64_t size = 0x0102030405060708ull;
    std::array<std::uint8_t, kEncryptedHeaderSize> header{};
    writeEncryptedHeader(header, size, key);

    auto plain = header;
    aesDecryptBuffer(plain.data(), static_cast<std::int32_t>(plain.size()), key.bytes);
    EXPECT_TRUE(std::equal(kEncryptedMagic.begin(), kEncryptedMagic.end(), plain.begin()));
    EXPECT_EQ(plain[59], 0x01);
    EXPECT_EQ(plain[66], 0x08);
    EXPECT_EQ(readEncryptedHeader(header, key), size);

    for (const std::uint64_t edge : {std::uint64_t{0}, kMaxU64}) {
        writeEncryptedHeader(header, edge, key);
        EXPECT_EQ(readEncryptedHeader(header, key), edge);
    }
}

TEST(EncryptedFile, HeaderIsRefusedWithAnotherKeyOrWhenDamaged)
{
    const PasswordKey key = keyOf("right");
    std::array<std::uint8_t, kEncryptedHeaderSize> header{};
    writeEncryptedHeader(header, 1234, key);

    EXPECT_FALSE(readEncryptedHeader(header, keyOf("wrong")));
    EXPECT_FALSE(readEncryptedHeader(std::span(header).first(kEncryptedHeaderSize - 1), key));
    auto damaged = header;
    damaged[40] ^= 0x01; // inside the magic's third block
    EXPECT_FALSE(readEncryptedHeader(damaged, key));
    auto fillerDamaged = header;
    fillerDamaged[500] ^= 0x01; // readers ignore the filler
    EXPECT_EQ(readEncryptedHeader(fillerDamaged, key), 1234u);
}

TEST(EncryptedFile, FileShorterThanItsHeaderAnnouncesIsRefused)
{
    const PasswordKey key = keyOf("truncate");
    const Bytes plain = randomBytes(131073, 9);
    const Bytes file = encryptFile(plain, key);

    for (const std::size_t cut : {std::size_t{1}, std::size_t{31}, std::size_t{32}, std::size_t{131072}}) {
        const Bytes truncated(file.begin(), file.end() - static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(restoreFile(truncated, key)) << "cut " << cut;
    }

    // A header announcing more than the body holds, up to a size no file can reach.
    for (const std::uint64_t announced : {std::uint64_t{131073 + 32}, kMaxU64 - 40, kMaxU64}) {
        Bytes tampered = file;
        writeEncryptedHeader(std::span<std::uint8_t, kEncryptedHeaderSize>(tampered.data(), kEncryptedHeaderSize),
                             announced, key);
        EXPECT_FALSE(restoreFile(tampered, key)) << "announced " << announced;
    }

    // Trailing bytes after a complete body carry no plain bytes and are dropped.
    Bytes longer = file;
    longer.insert(longer.end(), 48, 0x5A);
    EXPECT_EQ(restoreFile(longer, key), plain);
}

TEST(EncryptedFile, BodySizeArithmeticSurvivesHostileSizes)
{
    EXPECT_EQ(encryptedBodySize(kMaxU64 - 31), kMaxU64 - 31); // already a multiple of 32
    EXPECT_FALSE(encryptedBodySize(kMaxU64 - 30));
    EXPECT_FALSE(encryptedBodySize(kMaxU64));
    EXPECT_FALSE(encryptedFileSize(kMaxU64 - 31));
    EXPECT_FALSE(bodyHoldsPlainSize(kMaxU64, kMaxU64));
    EXPECT_TRUE(bodyHoldsPlainSize(64, 33));
    EXPECT_FALSE(bodyHoldsPlainSize(48, 33));
    EXPECT_TRUE(bodyHoldsPlainSize(0, 0));
}

TEST(EncryptedFile, ChunkPaddingIsZerosAndBuffersMustHoldIt)
{
    const PasswordKey key = keyOf("pad");
    Bytes buffer(64, 0xAA);
    EXPECT_EQ(encryptChunk(buffer, 5, key), 32u);
    EXPECT_EQ(decryptChunk(buffer, 32, key, 5), 5u);
    EXPECT_TRUE(std::all_of(buffer.begin() + 5, buffer.begin() + 32, [](std::uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::all_of(buffer.begin() + 32, buffer.end(), [](std::uint8_t b) { return b == 0xAA; }));

    Bytes small(40, 0x11);
    const Bytes before = small;
    EXPECT_FALSE(encryptChunk(small, 33, key));     // needs 64 bytes
    EXPECT_FALSE(decryptChunk(small, 33, key, 33)); // needs 48 bytes
    EXPECT_FALSE(encryptChunk(small, std::numeric_limits<std::size_t>::max(), key));
    EXPECT_FALSE(decryptChunk(small, std::numeric_limits<std::size_t>::max(), key, kMaxU64));
    EXPECT_EQ(small, before);
}

TEST(EncryptedFile, DecryptedChunkWritesAtMostTheRemainingPlainBytes)
{
    const PasswordKey key = keyOf("remaining");
    const struct {
        std::size_t count;
        std::uint64_t remaining;
        std::size_t toWrite;
    } cases[] = {{64, 100, 64}, {64, 33, 33}, {64, 0, 0}, {64, kMaxU64, 64}, {0, 10, 0}};
    for (const auto& c : cases) {
        Bytes buffer(64);
        EXPECT_EQ(decryptChunk(buffer, c.count, key, c.remaining), c.toWrite);
    }
}

TEST(EncryptedFile, EncryptedNamesAreRecognisedInAnyCase)
{
    const struct {
        const wchar_t* path;
        bool encrypted;
        const wchar_t* plain;
    } cases[] = {
        {L"photo.jpg.vltrin", true, L"photo.jpg"},
        {L"photo.JPG.VLTRIN", true, L"photo.JPG"},
        {L"C:\\Backup\\notes.VlTrIn", true, L"C:\\Backup\\notes"},
        {L"photo.jpg", false, L"photo.jpg"},
        {L"vltrin", false, L"vltrin"},
        {L"photo.vltrin.jpg", false, L"photo.vltrin.jpg"},
        {L"photo.jpg.vltrinx", false, L"photo.jpg.vltrinx"},
        {L"photo.jpg.vltri", false, L"photo.jpg.vltri"},
        {L"D:\\copies.vltrin\\photo", false, L"D:\\copies.vltrin\\photo"},
        {L"", false, L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isEncryptedName(c.path), c.encrypted) << c.path;
        EXPECT_EQ(stripEncryptedExtension(c.path), c.plain);
    }
}

} // namespace
} // namespace yk
