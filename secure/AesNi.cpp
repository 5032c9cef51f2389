// AES-256 with the x86-64 AES instructions, compiled for them function by function (target attributes): the
// 128-bit path (AES-NI, eight blocks in flight) and the wide one (VAES on 512-bit registers, four blocks per
// instruction and 32 in flight).
#include "secure/AesBackends.h"
#include "secure/SecureWipe.h"

#if defined(__x86_64__) || defined(__i386__)

#include <cpuid.h>
#include <immintrin.h>

// Only these functions use the instructions, so the rest of the program runs on any x86-64 processor;
// callers ask `aesAcceleratedAvailable` first.
#define YK_AES_TARGET __attribute__((target("aes,sse4.1")))
#define YK_VAES_TARGET __attribute__((target("aes,sse4.1,avx2,avx512f,avx512bw,vaes")))

namespace yk {

namespace {

constexpr int kRounds = 14;
// Blocks in flight: enough independent ones to keep both AES units busy through the instruction's latency,
// with the round key beside them in the sixteen registers. The last blocks of a buffer go four at a time.
constexpr std::size_t kParallelBlocks = 12;
constexpr std::size_t kTailBlocks = 4;

struct RoundKeys {
    __m128i keys[kRounds + 1];
};

YK_AES_TARGET inline __m128i reverseBytes(__m128i value)
{
    return _mm_shuffle_epi8(value, _mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15));
}

// w[i] ^= w[i-1] ^ w[i-2] ^ w[i-3] inside one 128-bit half of the schedule.
YK_AES_TARGET inline __m128i prefixXor(__m128i words)
{
    words = _mm_xor_si128(words, _mm_slli_si128(words, 4));
    return _mm_xor_si128(words, _mm_slli_si128(words, 8));
}

template <int RoundConstant> YK_AES_TARGET inline __m128i nextEvenKey(__m128i previousEven, __m128i previousOdd)
{
    const __m128i assist = _mm_shuffle_epi32(_mm_aeskeygenassist_si128(previousOdd, RoundConstant), 0xff);
    return _mm_xor_si128(prefixXor(previousEven), assist);
}

YK_AES_TARGET inline __m128i nextOddKey(__m128i previousOdd, __m128i even)
{
    const __m128i assist = _mm_shuffle_epi32(_mm_aeskeygenassist_si128(even, 0), 0xaa);
    return _mm_xor_si128(prefixXor(previousOdd), assist);
}

// The caller's key reversed is the AES key: its first 16 bytes are the reversed last 16 of the caller's.
YK_AES_TARGET void expandKey(RoundKeys& schedule, std::span<const std::uint8_t, kAesKeySize> key)
{
    __m128i* k = schedule.keys;
    k[0] = reverseBytes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(key.data() + 16)));
    k[1] = reverseBytes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(key.data())));
    k[2] = nextEvenKey<0x01>(k[0], k[1]);
    k[3] = nextOddKey(k[1], k[2]);
    k[4] = nextEvenKey<0x02>(k[2], k[3]);
    k[5] = nextOddKey(k[3], k[4]);
    k[6] = nextEvenKey<0x04>(k[4], k[5]);
    k[7] = nextOddKey(k[5], k[6]);
    k[8] = nextEvenKey<0x08>(k[6], k[7]);
    k[9] = nextOddKey(k[7], k[8]);
    k[10] = nextEvenKey<0x10>(k[8], k[9]);
    k[11] = nextOddKey(k[9], k[10]);
    k[12] = nextEvenKey<0x20>(k[10], k[11]);
    k[13] = nextOddKey(k[11], k[12]);
    k[14] = nextEvenKey<0x40>(k[12], k[13]);
}

// The equivalent inverse cipher's schedule: reversed order, InvMixColumns applied to the inner keys.
YK_AES_TARGET void invertSchedule(RoundKeys& decryption, const RoundKeys& encryption)
{
    decryption.keys[0] = encryption.keys[kRounds];
    for (int round = 1; round < kRounds; ++round)
        decryption.keys[round] = _mm_aesimc_si128(encryption.keys[kRounds - round]);
    decryption.keys[kRounds] = encryption.keys[0];
}

struct Encrypt {
    YK_AES_TARGET static __m128i round(__m128i block, __m128i key) { return _mm_aesenc_si128(block, key); }
    YK_AES_TARGET static __m128i last(__m128i block, __m128i key) { return _mm_aesenclast_si128(block, key); }
};

struct Decrypt {
    YK_AES_TARGET static __m128i round(__m128i block, __m128i key) { return _mm_aesdec_si128(block, key); }
    YK_AES_TARGET static __m128i last(__m128i block, __m128i key) { return _mm_aesdeclast_si128(block, key); }
};

template <typename Direction, std::size_t Count>
YK_AES_TARGET inline void processBlocks(std::uint8_t* data, const RoundKeys& schedule)
{
    __m128i blocks[Count];
    for (std::size_t i = 0; i < Count; ++i) {
        const __m128i loaded = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i * kAesBlockSize));
        blocks[i] = _mm_xor_si128(reverseBytes(loaded), schedule.keys[0]);
    }
    for (int round = 1; round < kRounds; ++round) {
        const __m128i key = schedule.keys[round];
        for (std::size_t i = 0; i < Count; ++i)
            blocks[i] = Direction::round(blocks[i], key);
    }
    for (std::size_t i = 0; i < Count; ++i) {
        const __m128i result = reverseBytes(Direction::last(blocks[i], schedule.keys[kRounds]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(data + i * kAesBlockSize), result);
    }
}

template <typename Direction>
YK_AES_TARGET void processBuffer(std::uint8_t* buffer, std::size_t blocks, const RoundKeys& schedule)
{
    std::size_t b = 0;
    for (; b + kParallelBlocks <= blocks; b += kParallelBlocks)
        processBlocks<Direction, kParallelBlocks>(buffer + b * kAesBlockSize, schedule);
    for (; b + kTailBlocks <= blocks; b += kTailBlocks)
        processBlocks<Direction, kTailBlocks>(buffer + b * kAesBlockSize, schedule);
    for (; b < blocks; ++b)
        processBlocks<Direction, 1>(buffer + b * kAesBlockSize, schedule);
}

struct WideEncrypt {
    YK_VAES_TARGET static __m512i round(__m512i blocks, __m512i key) { return _mm512_aesenc_epi128(blocks, key); }
    YK_VAES_TARGET static __m512i last(__m512i blocks, __m512i key) { return _mm512_aesenclast_epi128(blocks, key); }
};

struct WideDecrypt {
    YK_VAES_TARGET static __m512i round(__m512i blocks, __m512i key) { return _mm512_aesdec_epi128(blocks, key); }
    YK_VAES_TARGET static __m512i last(__m512i blocks, __m512i key) { return _mm512_aesdeclast_epi128(blocks, key); }
};

constexpr std::size_t kWideBlocks = 4;    // 16-byte blocks in one 512-bit register
constexpr std::size_t kWideRegisters = 8; // registers in flight: 32 blocks

// Each register holds four blocks; every lane of a round key register holds the same key.
template <typename Direction, std::size_t Count>
YK_VAES_TARGET inline void processWide(std::uint8_t* data, const __m512i* keys, __m512i reverse, __mmask64 mask)
{
    __m512i blocks[Count];
    for (std::size_t i = 0; i < Count; ++i) {
        const __m512i loaded = _mm512_maskz_loadu_epi8(mask, data + i * kWideBlocks * kAesBlockSize);
        blocks[i] = _mm512_xor_si512(_mm512_shuffle_epi8(loaded, reverse), keys[0]);
    }
    for (int round = 1; round < kRounds; ++round) {
        for (std::size_t i = 0; i < Count; ++i)
            blocks[i] = Direction::round(blocks[i], keys[round]);
    }
    for (std::size_t i = 0; i < Count; ++i) {
        const __m512i result = _mm512_shuffle_epi8(Direction::last(blocks[i], keys[kRounds]), reverse);
        _mm512_mask_storeu_epi8(data + i * kWideBlocks * kAesBlockSize, mask, result);
    }
}

template <typename Direction>
YK_VAES_TARGET void processBufferWide(std::uint8_t* buffer, std::size_t blocks, const RoundKeys& schedule)
{
    __m512i keys[kRounds + 1];
    for (int round = 0; round <= kRounds; ++round)
        keys[round] = _mm512_broadcast_i32x4(schedule.keys[round]);
    const __m512i reverse = _mm512_broadcast_i32x4(_mm_set_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15));
    constexpr __mmask64 kWhole = ~__mmask64{0};
    std::size_t b = 0;
    for (; b + kWideBlocks * kWideRegisters <= blocks; b += kWideBlocks * kWideRegisters)
        processWide<Direction, kWideRegisters>(buffer + b * kAesBlockSize, keys, reverse, kWhole);
    for (; b + kWideBlocks <= blocks; b += kWideBlocks)
        processWide<Direction, 1>(buffer + b * kAesBlockSize, keys, reverse, kWhole);
    // One to three blocks left: a register loaded and stored under a byte mask touches nothing past them.
    if (const std::size_t rest = blocks - b; rest > 0) {
        const __mmask64 mask = (__mmask64{1} << (rest * kAesBlockSize)) - 1;
        processWide<Direction, 1>(buffer + b * kAesBlockSize, keys, reverse, mask);
    }
    secureWipe(keys, sizeof keys);
}

// One buffer operation: the key schedule (inverted for decryption), the blocks, and the schedule wiped.
template <void (*Process)(std::uint8_t*, std::size_t, const RoundKeys&)>
void encryptWith(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    const std::size_t blocks = aesBlockCount(length);
    if (blocks == 0)
        return;
    RoundKeys schedule;
    expandKey(schedule, key);
    Process(buffer, blocks, schedule);
    secureWipe(&schedule, sizeof schedule);
}

template <void (*Process)(std::uint8_t*, std::size_t, const RoundKeys&)>
void decryptWith(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    const std::size_t blocks = aesBlockCount(length);
    if (blocks == 0)
        return;
    RoundKeys encryption;
    RoundKeys decryption;
    expandKey(encryption, key);
    invertSchedule(decryption, encryption);
    secureWipe(&encryption, sizeof encryption);
    Process(buffer, blocks, decryption);
    secureWipe(&decryption, sizeof decryption);
}

} // namespace

bool aesWideAvailable()
{
    static const bool available = [] {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        if (!aesAcceleratedAvailable() || !__get_cpuid(1, &eax, &ebx, &ecx, &edx) || (ecx & bit_OSXSAVE) == 0)
            return false;
        if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx))
            return false;
        const bool instructions = (ebx & bit_AVX512F) != 0 && (ebx & bit_AVX512BW) != 0 && (ecx & bit_VAES) != 0;
        if (!instructions)
            return false;
        // The system must save the 512-bit registers: XMM, YMM, opmask and both ZMM halves.
        unsigned low = 0, high = 0;
        __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        constexpr unsigned kZmmState = 0xE6;
        return (low & kZmmState) == kZmmState;
    }();
    return available;
}

void aesEncryptBufferWide(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    encryptWith<processBufferWide<WideEncrypt>>(buffer, length, key);
}

void aesDecryptBufferWide(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    decryptWith<processBufferWide<WideDecrypt>>(buffer, length, key);
}

bool aesAcceleratedAvailable()
{
    static const bool available = [] {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
            return false;
        return (ecx & bit_AES) != 0 && (ecx & bit_SSE4_1) != 0 && (ecx & bit_SSSE3) != 0;
    }();
    return available;
}

void aesEncryptBufferAccelerated(std::uint8_t* buffer, std::int32_t length,
                                 std::span<const std::uint8_t, kAesKeySize> key)
{
    encryptWith<processBuffer<Encrypt>>(buffer, length, key);
}

void aesDecryptBufferAccelerated(std::uint8_t* buffer, std::int32_t length,
                                 std::span<const std::uint8_t, kAesKeySize> key)
{
    decryptWith<processBuffer<Decrypt>>(buffer, length, key);
}

} // namespace yk

#else

namespace yk {

// Other processors have no such paths; these keep the interface whole and never run.
bool aesAcceleratedAvailable()
{
    return false;
}

bool aesWideAvailable()
{
    return false;
}

void aesEncryptBufferWide(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    aesEncryptBufferPortable(buffer, length, key);
}

void aesDecryptBufferWide(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    aesDecryptBufferPortable(buffer, length, key);
}

void aesEncryptBufferAccelerated(std::uint8_t* buffer, std::int32_t length,
                                 std::span<const std::uint8_t, kAesKeySize> key)
{
    aesEncryptBufferPortable(buffer, length, key);
}

void aesDecryptBufferAccelerated(std::uint8_t* buffer, std::int32_t length,
                                 std::span<const std::uint8_t, kAesKeySize> key)
{
    aesDecryptBufferPortable(buffer, length, key);
}

} // namespace yk

#endif
