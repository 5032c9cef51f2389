// Throughput of our buffer cipher beside OpenSSL's AES-256-ECB on the same buffer (see main for how to build).
#include <openssl/evp.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <random>
#include <vector>

#include "secure/Aes.h"
#include "secure/AesBackends.h"
#include "secure/EncryptedFile.h"

#if defined(__SANITIZE_ADDRESS__)
#define YK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define YK_SANITIZED 1
#endif
#endif

namespace {

using Clock = std::chrono::steady_clock;
using KeySpan = std::span<const std::uint8_t, yk::kAesKeySize>;
constexpr double kSecondsPerCase = 1.5;

// Repeats the operation on the buffer for a while and returns MB/s (10^6 bytes per second).
double measure(std::vector<std::uint8_t>& buffer, const std::function<void(std::vector<std::uint8_t>&)>& operation)
{
    operation(buffer); // warm-up
    std::uint64_t bytes = 0;
    const auto start = Clock::now();
    std::chrono::duration<double> elapsed{};
    do {
        for (int i = 0; i < 16; ++i)
            operation(buffer);
        bytes += 16 * buffer.size();
        elapsed = Clock::now() - start;
    } while (elapsed.count() < kSecondsPerCase);
    return static_cast<double>(bytes) / elapsed.count() / 1e6;
}

// One cipher set-up per chunk, as our functions do, so both pay for their key schedule alike.
void openSslEcb(std::vector<std::uint8_t>& buffer, const std::uint8_t* key, bool encrypt)
{
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    EVP_CipherInit_ex(context, EVP_aes_256_ecb(), nullptr, key, nullptr, encrypt ? 1 : 0);
    EVP_CIPHER_CTX_set_padding(context, 0);
    int written = 0;
    EVP_CipherUpdate(context, buffer.data(), &written, buffer.data(), static_cast<int>(buffer.size()));
    EVP_CIPHER_CTX_free(context);
}

} // namespace

// Measures 128 KiB buffers, the chunk of the encrypted runs. For honest figures build without sanitizers:
//   cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++
//   cmake --build build/bench --target cipher_bench && build/bench/tools/bench/cipher_bench
int main()
{
#ifdef YK_SANITIZED
    std::printf("note: built with sanitizers; our figures are far below what the program gets\n");
#endif
    std::mt19937 random(42);
    std::uint8_t key[yk::kAesKeySize];
    for (auto& b : key)
        b = static_cast<std::uint8_t>(random());
    const KeySpan keySpan(key);
    std::vector<std::uint8_t> buffer(yk::kEncryptedChunkSize);
    for (auto& b : buffer)
        b = static_cast<std::uint8_t>(random());
    const auto length = static_cast<std::int32_t>(buffer.size());

    std::printf("AES instructions: %s\n", yk::aesAcceleratedAvailable() ? "present" : "absent");
    std::printf("buffer: %zu bytes per call (one encrypted-file chunk), MB/s = 10^6 bytes per second\n\n",
                buffer.size());
    std::printf("%-12s %14s %14s %14s %14s\n", "direction", "portable", "accelerated", "OpenSSL ECB", "ours/OpenSSL");

    for (const bool encrypt : {true, false}) {
        const auto portableFn = encrypt ? yk::aesEncryptBufferPortable : yk::aesDecryptBufferPortable;
        const auto acceleratedFn = encrypt ? yk::aesEncryptBufferAccelerated : yk::aesDecryptBufferAccelerated;
        const auto dispatchingFn = encrypt ? yk::aesEncryptBuffer : yk::aesDecryptBuffer;

        const double portable = measure(buffer, [&](auto& b) { portableFn(b.data(), length, keySpan); });
        const double accelerated = yk::aesAcceleratedAvailable()
                                       ? measure(buffer, [&](auto& b) { acceleratedFn(b.data(), length, keySpan); })
                                       : 0.0;
        const double ours = measure(buffer, [&](auto& b) { dispatchingFn(b.data(), length, keySpan); });
        const double openSsl = measure(buffer, [&](auto& b) { openSslEcb(b, key, encrypt); });
        std::printf("%-12s %9.0f MB/s %9.0f MB/s %9.0f MB/s %14.2f\n", encrypt ? "encrypt" : "decrypt", portable,
                    accelerated, openSsl, ours / openSsl);
    }
    std::printf("\nours = the program's buffer operations (accelerated when the processor allows); goal >= 0.5\n");
    return 0;
}
