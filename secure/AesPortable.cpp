// AES-256 in plain C++, with the S-box and its inverse as the only tables.
#include <array>
#include <cstring>

#include "secure/AesBackends.h"
#include "secure/SecureWipe.h"

namespace yk {

namespace {

constexpr int kRounds = 14;
constexpr std::size_t kScheduleWords = 4 * (kRounds + 1);

constexpr std::uint8_t xtime(std::uint8_t x)
{
    return static_cast<std::uint8_t>((x << 1) ^ ((x & 0x80) ? 0x1b : 0));
}

constexpr std::uint8_t rotateLeft8(std::uint8_t x, int n)
{
    return static_cast<std::uint8_t>((x << n) | (x >> (8 - n)));
}

// The S-box from its definition: the multiplicative inverse in GF(2^8), then the affine map. Inverses
// come from the powers of the generator 3: the inverse of 3^i is 3^(255 - i).
constexpr std::array<std::uint8_t, 256> makeSbox()
{
    std::array<std::uint8_t, 256> power{};
    std::array<std::uint8_t, 256> logarithm{};
    std::uint8_t x = 1;
    for (int i = 0; i < 255; ++i) {
        power[i] = x;
        logarithm[x] = static_cast<std::uint8_t>(i);
        x = static_cast<std::uint8_t>(x ^ xtime(x)); // x * 3
    }
    std::array<std::uint8_t, 256> box{};
    for (int value = 0; value < 256; ++value) {
        const std::uint8_t inverse = value == 0 ? 0 : power[(255 - logarithm[value]) % 255];
        box[value] = static_cast<std::uint8_t>(inverse ^ rotateLeft8(inverse, 1) ^ rotateLeft8(inverse, 2) ^
                                               rotateLeft8(inverse, 3) ^ rotateLeft8(inverse, 4) ^ 0x63);
    }
    return box;
}

constexpr std::array<std::uint8_t, 256> makeInverse(const std::array<std::uint8_t, 256>& box)
{
    std::array<std::uint8_t, 256> inverse{};
    for (int x = 0; x < 256; ++x)
        inverse[box[x]] = static_cast<std::uint8_t>(x);
    return inverse;
}

constexpr std::array<std::uint8_t, 256> kSbox = makeSbox();
constexpr std::array<std::uint8_t, 256> kInverseSbox = makeInverse(kSbox);
static_assert(kSbox[0x00] == 0x63 && kSbox[0x53] == 0xed && kInverseSbox[0x63] == 0x00);

// The state is four column words, so MixColumns works on four bytes at once. A column's four bytes are
// packed with the first byte lowest, so the layout does not depend on endianness.
using Word = std::uint32_t;

constexpr Word rotateRight(Word w, int n)
{
    return (w >> n) | (w << (32 - n));
}

constexpr std::uint8_t byteOf(Word w, int index)
{
    return static_cast<std::uint8_t>(w >> (8 * index));
}

// xtime on each of the four bytes of a word.
constexpr Word xtimeEach(Word w)
{
    return ((w & 0x7f7f7f7fu) << 1) ^ (((w >> 7) & 0x01010101u) * 0x1b);
}

constexpr Word mixColumn(Word w)
{
    // Byte i: 2·a[i] ^ 3·a[i+1] ^ a[i+2] ^ a[i+3].
    const Word next = rotateRight(w, 8);
    return xtimeEach(w ^ next) ^ next ^ rotateRight(w, 16) ^ rotateRight(w, 24);
}

constexpr Word inverseMixColumn(Word w)
{
    // InvMixColumns = MixColumns after adding 4·(a[i] ^ a[i+2]) to every byte.
    Word fourfold = xtimeEach(xtimeEach(w));
    fourfold ^= rotateRight(fourfold, 16);
    return mixColumn(w ^ fourfold);
}

static_assert(mixColumn(0x455313dbu) == 0xbca14d8eu); // the classic column db 13 53 45 -> 8e 4d a1 bc
static_assert(inverseMixColumn(0xbca14d8eu) == 0x455313dbu);

Word loadWord(const std::uint8_t* bytes)
{
    return Word{bytes[0]} | Word{bytes[1]} << 8 | Word{bytes[2]} << 16 | Word{bytes[3]} << 24;
}

void storeWord(std::uint8_t* bytes, Word w)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = byteOf(w, i);
}

Word substituteWord(Word w)
{
    return Word{kSbox[byteOf(w, 0)]} | Word{kSbox[byteOf(w, 1)]} << 8 | Word{kSbox[byteOf(w, 2)]} << 16 |
           Word{kSbox[byteOf(w, 3)]} << 24;
}

// Everything a buffer operation derives from the key; wiped before the operation returns.
struct Context {
    std::uint8_t aesKey[kAesKeySize]; // the caller's key reversed
    Word roundKeys[kScheduleWords];
    Word state[4];
    std::uint8_t block[kAesBlockSize];
};

// The caller's key is reversed into the AES key, then expanded to the FIPS-197 round keys.
void prepare(Context& context, std::span<const std::uint8_t, kAesKeySize> key)
{
    for (std::size_t i = 0; i < kAesKeySize; ++i)
        context.aesKey[i] = key[kAesKeySize - 1 - i];
    Word* w = context.roundKeys;
    for (int i = 0; i < 8; ++i)
        w[i] = loadWord(context.aesKey + 4 * i);
    std::uint8_t roundConstant = 1;
    for (std::size_t i = 8; i < kScheduleWords; ++i) {
        Word t = w[i - 1];
        if (i % 8 == 0) {
            t = substituteWord(rotateRight(t, 8)) ^ roundConstant;
            roundConstant = xtime(roundConstant);
        } else if (i % 8 == 4) {
            t = substituteWord(t);
        }
        w[i] = w[i - 8] ^ t;
    }
}

void addRoundKey(Word* state, const Word* roundKey)
{
    for (int c = 0; c < 4; ++c)
        state[c] ^= roundKey[c];
}

// SubBytes and ShiftRows together: row r of column c comes from column c + r.
void substituteAndShift(Word* state)
{
    Word shifted[4];
    for (int c = 0; c < 4; ++c)
        shifted[c] = Word{kSbox[byteOf(state[c], 0)]} | Word{kSbox[byteOf(state[(c + 1) % 4], 1)]} << 8 |
                     Word{kSbox[byteOf(state[(c + 2) % 4], 2)]} << 16 |
                     Word{kSbox[byteOf(state[(c + 3) % 4], 3)]} << 24;
    std::memcpy(state, shifted, sizeof shifted);
}

// InvShiftRows and InvSubBytes: row r of column c comes from column c - r.
void inverseSubstituteAndShift(Word* state)
{
    Word shifted[4];
    for (int c = 0; c < 4; ++c)
        shifted[c] = Word{kInverseSbox[byteOf(state[c], 0)]} | Word{kInverseSbox[byteOf(state[(c + 3) % 4], 1)]} << 8 |
                     Word{kInverseSbox[byteOf(state[(c + 2) % 4], 2)]} << 16 |
                     Word{kInverseSbox[byteOf(state[(c + 1) % 4], 3)]} << 24;
    std::memcpy(state, shifted, sizeof shifted);
}

void encryptState(Context& context)
{
    Word* state = context.state;
    addRoundKey(state, context.roundKeys);
    for (int round = 1; round < kRounds; ++round) {
        substituteAndShift(state);
        for (int c = 0; c < 4; ++c)
            state[c] = mixColumn(state[c]);
        addRoundKey(state, context.roundKeys + 4 * round);
    }
    substituteAndShift(state);
    addRoundKey(state, context.roundKeys + 4 * kRounds);
}

void decryptState(Context& context)
{
    Word* state = context.state;
    addRoundKey(state, context.roundKeys + 4 * kRounds);
    for (int round = kRounds - 1; round > 0; --round) {
        inverseSubstituteAndShift(state);
        addRoundKey(state, context.roundKeys + 4 * round);
        for (int c = 0; c < 4; ++c)
            state[c] = inverseMixColumn(state[c]);
    }
    inverseSubstituteAndShift(state);
    addRoundKey(state, context.roundKeys);
}

// Each block is reversed into the AES state, run through the cipher and reversed back in place.
template <void (*Operation)(Context&)>
void processBuffer(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    const std::size_t blocks = aesBlockCount(length);
    if (blocks == 0)
        return;
    Context context;
    prepare(context, key);
    for (std::size_t b = 0; b < blocks; ++b) {
        std::uint8_t* data = buffer + b * kAesBlockSize;
        for (std::size_t i = 0; i < kAesBlockSize; ++i)
            context.block[i] = data[kAesBlockSize - 1 - i];
        for (int c = 0; c < 4; ++c)
            context.state[c] = loadWord(context.block + 4 * c);
        Operation(context);
        for (int c = 0; c < 4; ++c)
            storeWord(context.block + 4 * c, context.state[c]);
        for (std::size_t i = 0; i < kAesBlockSize; ++i)
            data[i] = context.block[kAesBlockSize - 1 - i];
    }
    secureWipe(&context, sizeof context);
}

} // namespace

void aesEncryptBufferPortable(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    processBuffer<encryptState>(buffer, length, key);
}

void aesDecryptBufferPortable(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    processBuffer<decryptState>(buffer, length, key);
}

} // namespace yk
