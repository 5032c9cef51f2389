#include <gtest/gtest.h>

#include <openssl/evp.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "secure/Aes.h"
#include "secure/AesBackends.h"

namespace yk {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Key = std::array<std::uint8_t, kAesKeySize>;
using CipherFunction = void (*)(std::uint8_t*, std::int32_t, std::span<const std::uint8_t, kAesKeySize>);

// Standard AES-256-ECB over whole blocks, no padding.
Bytes openSslEcb(const Bytes& key, const Bytes& input, bool encrypt)
{
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    EXPECT_TRUE(context);
    EXPECT_EQ(EVP_CipherInit_ex(context.get(), EVP_aes_256_ecb(), nullptr, key.data(), nullptr, encrypt ? 1 : 0), 1);
    EVP_CIPHER_CTX_set_padding(context.get(), 0);
    Bytes output(input.size() + 16);
    int written = 0;
    EXPECT_EQ(EVP_CipherUpdate(context.get(), output.data(), &written, input.data(), static_cast<int>(input.size())),
              1);
    int finalWritten = 0;
    EXPECT_EQ(EVP_CipherFinal_ex(context.get(), output.data() + written, &finalWritten), 1);
    output.resize(static_cast<std::size_t>(written + finalWritten));
    return output;
}

// Our byte order expressed with the standard cipher: reverse the key and each block around it.
Bytes referenceWithReversal(const Key& key, Bytes buffer, bool encrypt)
{
    const Bytes reversedKey(key.rbegin(), key.rend());
    for (std::size_t at = 0; at < buffer.size(); at += 16)
        std::reverse(buffer.begin() + at, buffer.begin() + at + 16);
    buffer = openSslEcb(reversedKey, buffer, encrypt);
    for (std::size_t at = 0; at < buffer.size(); at += 16)
        std::reverse(buffer.begin() + at, buffer.begin() + at + 16);
    return buffer;
}

struct Implementation {
    const char* name;
    CipherFunction encrypt;
    CipherFunction decrypt;
    bool needsAesInstructions;
};

void PrintTo(const Implementation& value, std::ostream* out)
{
    *out << value.name;
}

const Implementation kImplementations[] = {
    {"Dispatching", aesEncryptBuffer, aesDecryptBuffer, false},
    {"Portable", aesEncryptBufferPortable, aesDecryptBufferPortable, false},
    {"Accelerated", aesEncryptBufferAccelerated, aesDecryptBufferAccelerated, true},
};

class CipherAgreement : public testing::TestWithParam<Implementation> {};

TEST_P(CipherAgreement, MatchesStandardAesUnderTheByteReversal)
{
    const Implementation& implementation = GetParam();
    if (implementation.needsAesInstructions && !aesAcceleratedAvailable())
        GTEST_SKIP() << "this processor has no AES instructions; the accelerated path cannot run here";
    std::mt19937 random(1997);
    for (int round = 0; round < 40; ++round) {
        Key key{};
        for (auto& b : key)
            b = static_cast<std::uint8_t>(random());
        Bytes buffer(16 * (1 + random() % 64));
        for (auto& b : buffer)
            b = static_cast<std::uint8_t>(random());

        Bytes ours = buffer;
        implementation.encrypt(ours.data(), static_cast<std::int32_t>(ours.size()), key);
        ASSERT_EQ(ours, referenceWithReversal(key, buffer, true)) << "encrypting " << buffer.size() << " bytes";

        ours = buffer;
        implementation.decrypt(ours.data(), static_cast<std::int32_t>(ours.size()), key);
        ASSERT_EQ(ours, referenceWithReversal(key, buffer, false)) << "decrypting " << buffer.size() << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(Implementations, CipherAgreement, testing::ValuesIn(kImplementations),
                         [](const testing::TestParamInfo<Implementation>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace yk
