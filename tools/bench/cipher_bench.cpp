// Throughput of our buffer cipher beside OpenSSL's AES-256-ECB on the same buffer (see main for how to build).
#include <openssl/evp.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <cstdlib>
#include <cstring>
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

    // "ours" is what the program runs; YK_BENCH_AES_PATH=accelerated (or portable) measures that path as "ours"
    // instead, as on a processor without the wide instructions.
    const char* forced = std::getenv("YK_BENCH_AES_PATH");
    const bool wide = yk::aesWideAvailable();
    const bool accelerated = yk::aesAcceleratedAvailable();
    const char* oursPath = forced && std::strcmp(forced, "portable") == 0              ? "portable"
                           : forced && std::strcmp(forced, "accelerated") == 0 && accelerated ? "accelerated (AES-NI)"
                           : wide                                                      ? "wide (VAES, 512-bit)"
                           : accelerated                                               ? "accelerated (AES-NI)"
                                                                                       : "portable";
    std::printf("AES instructions: %s; VAES with AVX-512: %s\n", accelerated ? "present" : "absent",
                wide ? "present" : "absent");
    std::printf("ours runs the %s path\n", oursPath);
    std::printf("buffer: %zu bytes per call (one encrypted-file chunk), MB/s = 10^6 bytes per second\n\n",
                buffer.size());
    std::printf("%-10s %12s %12s %12s %12s %12s %13s\n", "direction", "portable", "AES-NI", "VAES", "ours",
                "OpenSSL ECB", "ours/OpenSSL");

    for (const bool encrypt : {true, false}) {
        using Function = void (*)(std::uint8_t*, std::int32_t, KeySpan);
        const Function portableFn = encrypt ? yk::aesEncryptBufferPortable : yk::aesDecryptBufferPortable;
        const Function acceleratedFn = encrypt ? yk::aesEncryptBufferAccelerated : yk::aesDecryptBufferAccelerated;
        const Function wideFn = encrypt ? yk::aesEncryptBufferWide : yk::aesDecryptBufferWide;
        const Function dispatchingFn = encrypt ? yk::aesEncryptBuffer : yk::aesDecryptBuffer;
        const Function oursFn = std::strncmp(oursPath, "portable", 8) == 0      ? portableFn
                                : std::strncmp(oursPath, "accelerated", 11) == 0 ? acceleratedFn
                                                                                  : dispatchingFn;
        const auto rate = [&](Function function) {
            return measure(buffer, [&](auto& b) { function(b.data(), length, keySpan); });
        };
        const double portable = rate(portableFn);
        const double aesNi = accelerated ? rate(acceleratedFn) : 0.0;
        const double vaes = wide ? rate(wideFn) : 0.0;
        const double ours = rate(oursFn);
        const double openSsl = measure(buffer, [&](auto& b) { openSslEcb(b, key, encrypt); });
        std::printf("%-10s %7.0f MB/s %7.0f MB/s %7.0f MB/s %7.0f MB/s %7.0f MB/s %13.2f\n",
                    encrypt ? "encrypt" : "decrypt", portable, aesNi, vaes, ours, openSsl, ours / openSsl);
    }
    std::printf("\nours = the program's buffer operations on the path named above; goal >= 1.5 with VAES, >= 1.0 "
                "with AES-NI alone\n");
    return 0;
}
