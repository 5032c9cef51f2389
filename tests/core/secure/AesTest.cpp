#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <random>
#include <vector>

#include "secure/Aes.h"
#include "secure/AesBackends.h"

namespace yk {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Key = std::array<std::uint8_t, kAesKeySize>;
using CipherFunction = void (*)(std::uint8_t*, std::int32_t, std::span<const std::uint8_t, kAesKeySize>);

struct Backend {
    const char* name;
    CipherFunction encrypt;
    CipherFunction decrypt;
    bool (*available)(); // null: runs everywhere
};

void PrintTo(const Backend& value, std::ostream* out)
{
    *out << value.name;
}

const Backend kBackends[] = {
    {"Dispatching", aesEncryptBuffer, aesDecryptBuffer, nullptr},
    {"Portable", aesEncryptBufferPortable, aesDecryptBufferPortable, nullptr},
    {"Accelerated", aesEncryptBufferAccelerated, aesDecryptBufferAccelerated, aesAcceleratedAvailable},
    {"Wide", aesEncryptBufferWide, aesDecryptBufferWide, aesWideAvailable},
};

Bytes fromHex(const char* hex)
{
    Bytes bytes;
    for (; hex[0] && hex[1]; hex += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex, 2), nullptr, 16)));
    return bytes;
}

Bytes reversed(Bytes bytes)
{
    std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

Key toKey(const Bytes& bytes)
{
    Key key{};
    std::copy_n(bytes.begin(), key.size(), key.begin());
    return key;
}

Bytes randomBytes(std::mt19937& random, std::size_t size)
{
    Bytes bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(random());
    return bytes;
}

class AesBackendTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        if (GetParam().available && !GetParam().available())
            GTEST_SKIP() << "this processor lacks the instructions of the " << GetParam().name << " path";
    }
};

// FIPS-197 appendix C.3 (AES-256): the caller holds key and blocks in reversed byte order.
TEST_P(AesBackendTest, FipsExampleInReversedByteOrder)
{
    const Key key = toKey(reversed(fromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f")));
    const Bytes plain = reversed(fromHex("00112233445566778899aabbccddeeff"));
    const Bytes cipher = reversed(fromHex("8ea2b7ca516745bfeafc49904b496089"));

    Bytes buffer = plain;
    GetParam().encrypt(buffer.data(), 16, key);
    EXPECT_EQ(buffer, cipher);
    GetParam().decrypt(buffer.data(), 16, key);
    EXPECT_EQ(buffer, plain);
}

TEST_P(AesBackendTest, ProcessesWholeBlocksCoveringTheLength)
{
    std::mt19937 random(17);
    const Key key = toKey(randomBytes(random, kAesKeySize));
    const Bytes original = randomBytes(random, 48);

    Bytes twoBlocks = original;
    GetParam().encrypt(twoBlocks.data(), 32, key);
    Bytes seventeen = original;
    GetParam().encrypt(seventeen.data(), 17, key);
    EXPECT_EQ(seventeen, twoBlocks);
    EXPECT_TRUE(std::equal(original.begin() + 32, original.end(), seventeen.begin() + 32)); // third block untouched
    EXPECT_FALSE(std::equal(original.begin() + 16, original.begin() + 32, seventeen.begin() + 16));

    GetParam().decrypt(seventeen.data(), 17, key);
    EXPECT_EQ(seventeen, original);

    for (const std::int32_t length : {0, -1, -16, INT_MIN}) {
        Bytes untouched = original;
        GetParam().encrypt(untouched.data(), length, key);
        GetParam().decrypt(untouched.data(), length, key);
        EXPECT_EQ(untouched, original) << "length " << length;
    }
}

TEST_P(AesBackendTest, EqualBlocksGiveEqualCipherBlocks)
{
    std::mt19937 random(3);
    const Key key = toKey(randomBytes(random, kAesKeySize));
    const Bytes block = randomBytes(random, 16);
    Bytes buffer = block;
    buffer.insert(buffer.end(), block.begin(), block.end());

    GetParam().encrypt(buffer.data(), 32, key);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 16, buffer.begin() + 16));
    EXPECT_FALSE(std::equal(buffer.begin(), buffer.begin() + 16, block.begin()));
}

TEST_P(AesBackendTest, DecryptionUndoesEncryption)
{
    std::mt19937 random(5);
    for (const std::int32_t length : {16, 48, 128, 144, 4096 + 7}) {
        const Key key = toKey(randomBytes(random, kAesKeySize));
        const Bytes original = randomBytes(random, (static_cast<std::size_t>(length) + 15) / 16 * 16);
        Bytes buffer = original;
        GetParam().encrypt(buffer.data(), length, key);
        EXPECT_NE(buffer, original);
        GetParam().decrypt(buffer.data(), length, key);
        EXPECT_EQ(buffer, original) << "length " << length;
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, AesBackendTest, testing::ValuesIn(kBackends),
                         [](const testing::TestParamInfo<Backend>& info) { return std::string(info.param.name); });

// Block counts around both accelerated paths' groups (8 blocks; 4 per register and 32 in flight), with keys
// and data at random: every path gives the portable path's bytes.
TEST(AesBackends, EveryPathGivesThePortableBytes)
{
    if (!aesAcceleratedAvailable())
        GTEST_SKIP() << "this processor has no AES instructions; nothing to compare the portable path with";
    std::vector<const Backend*> fast;
    for (const Backend& backend : kBackends)
        if (backend.available && backend.available())
            fast.push_back(&backend);
    std::mt19937 random(2024);
    for (int round = 0; round < 120; ++round) {
        const Key key = toKey(randomBytes(random, kAesKeySize));
        const auto length = static_cast<std::int32_t>(1 + random() % (16 * 80));
        const Bytes original = randomBytes(random, (static_cast<std::size_t>(length) + 15) / 16 * 16);
        for (const bool encrypt : {true, false}) {
            Bytes expected = original;
            (encrypt ? aesEncryptBufferPortable : aesDecryptBufferPortable)(expected.data(), length, key);
            for (const Backend* backend : fast) {
                Bytes actual = original;
                (encrypt ? backend->encrypt : backend->decrypt)(actual.data(), length, key);
                ASSERT_EQ(expected, actual) << backend->name << (encrypt ? " encrypting " : " decrypting ") << length
                                            << " bytes";
            }
        }
    }
}

} // namespace
} // namespace yk
