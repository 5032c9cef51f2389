#include "secure/EncryptedFile.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <limits>
#include <random>

#include "secure/Aes.h"
#include "secure/SecureWipe.h"

namespace yk {

namespace {

static_assert(kEncryptedMagic.size() == kEncryptedSizeOffset);
static_assert(kEncryptedChunkSize % kEncryptedPaddingUnit == 0);

constexpr std::size_t kFillerOffset = kEncryptedSizeOffset + 8;
constexpr auto kMaxSize = std::numeric_limits<std::uint64_t>::max();

// The cipher takes a 32-bit length; larger buffers go through it in pieces (a multiple of the block size,
// so every piece starts on a block boundary).
constexpr std::size_t kCipherPiece = std::size_t{1} << 30;

template <void (*Cipher)(std::uint8_t*, std::int32_t, std::span<const std::uint8_t, kAesKeySize>)>
void cipherInPieces(std::uint8_t* data, std::size_t size, const PasswordKey& key)
{
    while (size > 0) {
        const std::size_t piece = std::min(size, kCipherPiece);
        Cipher(data, static_cast<std::int32_t>(piece), key.bytes);
        data += piece;
        size -= piece;
    }
}

std::optional<std::size_t> roundUp(std::size_t count, std::size_t unit)
{
    if (count > std::numeric_limits<std::size_t>::max() - (unit - 1))
        return std::nullopt;
    return (count + unit - 1) / unit * unit;
}

std::uint64_t splitMix64(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

// Readers ignore the filler; any bytes would do, and random ones tell nothing.
void fillFiller(std::span<std::uint8_t> filler)
{
    std::uint64_t state = 0;
    try {
        std::random_device device;
        state = std::uint64_t{device()} << 32 | device();
    } catch (...) {
        state = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    }
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < filler.size(); ++i) {
        if (i % 8 == 0)
            word = splitMix64(state);
        filler[i] = static_cast<std::uint8_t>(word >> (8 * (i % 8)));
    }
}

} // namespace

void writeEncryptedHeader(std::span<std::uint8_t, kEncryptedHeaderSize> header, std::uint64_t plainSize,
                          const PasswordKey& key)
{
    std::memcpy(header.data(), kEncryptedMagic.data(), kEncryptedMagic.size());
    for (std::size_t i = 0; i < 8; ++i)
        header[kEncryptedSizeOffset + i] = static_cast<std::uint8_t>(plainSize >> (8 * (7 - i)));
    fillFiller(header.subspan(kFillerOffset));
    aesEncryptBuffer(header.data(), static_cast<std::int32_t>(header.size()), key.bytes);
}

std::optional<std::size_t> encryptChunk(std::span<std::uint8_t> buffer, std::size_t count, const PasswordKey& key)
{
    const auto padded = roundUp(count, kEncryptedPaddingUnit);
    if (!padded || *padded > buffer.size())
        return std::nullopt;
    std::fill(buffer.begin() + count, buffer.begin() + *padded, std::uint8_t{0});
    cipherInPieces<aesEncryptBuffer>(buffer.data(), *padded, key);
    return padded;
}

bool isEncryptedName(std::wstring_view path)
{
    const auto nameStart = path.find_last_of(L"\\/");
    const std::wstring_view name = nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
    const auto dot = name.find_last_of(L'.');
    if (dot == std::wstring_view::npos)
        return false;
    const std::wstring_view extension = name.substr(dot);
    // Only ASCII letters are folded: no other character's upper case may stand for these letters.
    return std::equal(extension.begin(), extension.end(), kEncryptedExtension.begin(), kEncryptedExtension.end(),
                      [](wchar_t a, wchar_t b) { return (a >= L'A' && a <= L'Z' ? a - L'A' + L'a' : a) == b; });
}

std::wstring stripEncryptedExtension(std::wstring_view path)
{
    if (isEncryptedName(path))
        path.remove_suffix(kEncryptedExtension.size());
    return std::wstring(path);
}

std::optional<std::uint64_t> readEncryptedHeader(std::span<const std::uint8_t> header, const PasswordKey& key)
{
    if (header.size() < kEncryptedHeaderSize)
        return std::nullopt;
    std::array<std::uint8_t, kEncryptedHeaderSize> plain;
    std::memcpy(plain.data(), header.data(), plain.size());
    aesDecryptBuffer(plain.data(), static_cast<std::int32_t>(plain.size()), key.bytes);
    std::optional<std::uint64_t> plainSize;
    if (std::memcmp(plain.data(), kEncryptedMagic.data(), kEncryptedMagic.size()) == 0) {
        std::uint64_t size = 0;
        for (std::size_t i = 0; i < 8; ++i)
            size = size << 8 | plain[kEncryptedSizeOffset + i];
        plainSize = size;
    }
    secureWipe(plain.data(), plain.size());
    return plainSize;
}

std::optional<std::uint64_t> encryptedBodySize(std::uint64_t plainSize)
{
    if (plainSize > kMaxSize - (kEncryptedPaddingUnit - 1))
        return std::nullopt;
    return (plainSize + kEncryptedPaddingUnit - 1) / kEncryptedPaddingUnit * kEncryptedPaddingUnit;
}

std::optional<std::uint64_t> encryptedFileSize(std::uint64_t plainSize)
{
    const auto body = encryptedBodySize(plainSize);
    if (!body || *body > kMaxSize - kEncryptedHeaderSize)
        return std::nullopt;
    return *body + kEncryptedHeaderSize;
}

bool bodyHoldsPlainSize(std::uint64_t bodySize, std::uint64_t plainSize)
{
    const auto needed = encryptedBodySize(plainSize);
    return needed && bodySize >= *needed;
}

std::optional<std::size_t> decryptChunk(std::span<std::uint8_t> buffer, std::size_t count, const PasswordKey& key,
                                        std::uint64_t remainingPlain)
{
    const auto blockBytes = roundUp(count, kAesBlockSize);
    if (!blockBytes || *blockBytes > buffer.size())
        return std::nullopt;
    cipherInPieces<aesDecryptBuffer>(buffer.data(), count, key);
    return static_cast<std::size_t>(std::min<std::uint64_t>(count, remainingPlain));
}

} // namespace yk
