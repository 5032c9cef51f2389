// The bytes of an encrypted backup file; the runs do the file I/O, these functions touch only buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "secure/PasswordKey.h"

namespace yk {

// A file is a 512-byte encrypted header (magic text, big-endian plain size, filler) and then the plain
// content in chunks of 128 KiB, each zero-padded to a multiple of 32 and encrypted on its own.
inline constexpr std::size_t kEncryptedHeaderSize = 512;
inline constexpr std::size_t kEncryptedChunkSize = 131072;
inline constexpr std::size_t kEncryptedPaddingUnit = 32;
inline constexpr std::string_view kEncryptedMagic = "Vaultrine Encrypted File (c) Ketral Electronics Corporation";
inline constexpr std::size_t kEncryptedSizeOffset = 59; // big-endian 64-bit plain size follows the magic
inline constexpr std::wstring_view kEncryptedExtension = L".vltrin";

// Fills `header` with the encrypted header of a file of `plainSize` plain bytes.
void writeEncryptedHeader(std::span<std::uint8_t, kEncryptedHeaderSize> header, std::uint64_t plainSize,
                          const PasswordKey& key);

// Pads the first `count` bytes of `buffer` with zeros to a multiple of 32 and encrypts them in place;
// returns that padded count, which the caller writes. Empty, with the buffer untouched, when the padded
// count does not fit in `buffer` (the caller's read buffer needs 31 bytes to spare).
std::optional<std::size_t> encryptChunk(std::span<std::uint8_t> buffer, std::size_t count, const PasswordKey& key);

// True when the file name's extension is "vltrin" in any letter case (photo.JPG.VLTRIN).
bool isEncryptedName(std::wstring_view path);

// The path without its encrypted extension (photo.JPG.VLTRIN -> photo.JPG); other paths unchanged.
std::wstring stripEncryptedExtension(std::wstring_view path);

// The plain size recorded in a file's first 512 bytes, or empty when they do not decrypt to the magic
// text with this key (wrong password, damaged header, not such a file, or fewer than 512 bytes given).
std::optional<std::uint64_t> readEncryptedHeader(std::span<const std::uint8_t> header, const PasswordKey& key);

// The body length a writer produces for `plainSize` plain bytes (rounded up to a multiple of 32), and
// the whole file's length; empty when no file could be that long (a hostile header's size).
std::optional<std::uint64_t> encryptedBodySize(std::uint64_t plainSize);
std::optional<std::uint64_t> encryptedFileSize(std::uint64_t plainSize);

// True when a body of `bodySize` bytes (file size minus the header) holds all the plain bytes its header
// announces. A restore refuses a file that fails this: it was truncated or its header was altered.
bool bodyHoldsPlainSize(std::uint64_t bodySize, std::uint64_t plainSize);

// Decrypts the first `count` bytes of `buffer` in place (whole 16-byte blocks: the buffer must reach the
// end of the block holding the last byte) and returns how many to write: min(count, remainingPlain), so
// padding is dropped. Empty, with the buffer untouched, when those blocks do not fit in `buffer`.
std::optional<std::size_t> decryptChunk(std::span<std::uint8_t> buffer, std::size_t count, const PasswordKey& key,
                                        std::uint64_t remainingPlain);

} // namespace yk
