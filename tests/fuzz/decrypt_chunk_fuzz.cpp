// A decrypting restore over a hostile file image, and the two cipher paths on the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "secure/AesBackends.h"
#include "secure/EncryptedFile.h"
#include "tests/fuzz/FuzzInput.h"

using namespace yk;

namespace {

void checkPathsAgree(std::span<const std::uint8_t> data, const PasswordKey& key)
{
    if (!aesAcceleratedAvailable() || data.empty())
        return;
    const std::size_t length = std::min<std::size_t>(data.size(), 4096);
    std::vector<std::uint8_t> portable((length + 15) / 16 * 16, 0);
    std::copy_n(data.begin(), length, portable.begin());
    std::vector<std::uint8_t> accelerated = portable;
    aesDecryptBufferPortable(portable.data(), static_cast<std::int32_t>(length), key.bytes);
    aesDecryptBufferAccelerated(accelerated.data(), static_cast<std::int32_t>(length), key.bytes);
    if (portable != accelerated)
        std::abort();
}

} // namespace

// Header size, body length, buffer capacity and read lengths all come from the input. The restore must
// never write more than the body holds nor more than the header announces, and must refuse what it cannot
// restore in full.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const auto announced = input.take<std::uint64_t>();
    const std::size_t capacity = input.take<std::uint16_t>() % 4096;                 // the read buffer
    const std::size_t readLength = 1 + input.take<std::uint16_t>() % 4096;           // what each read asks for
    const auto hostileCount = static_cast<std::size_t>(input.take<std::uint64_t>()); // no read returns it
    PasswordKey key;
    input.takeInto(key.bytes);
    const auto body = input.rest();

    checkPathsAgree(body, key);

    // The file: a valid header announcing the hostile size, then the input's bytes as the body.
    std::vector<std::uint8_t> file(kEncryptedHeaderSize);
    writeEncryptedHeader(std::span<std::uint8_t, kEncryptedHeaderSize>(file.data(), kEncryptedHeaderSize), announced,
                         key);
    file.insert(file.end(), body.begin(), body.end());

    const auto plainSize = readEncryptedHeader(file, key);
    if (plainSize != announced)
        std::abort();
    const bool complete = bodyHoldsPlainSize(body.size(), announced);

    std::vector<std::uint8_t> buffer(capacity, 0x5A);
    if (const auto toWrite = decryptChunk(buffer, hostileCount, key, announced); toWrite) {
        if (hostileCount > capacity || *toWrite > hostileCount)
            std::abort();
    } else if (std::any_of(buffer.begin(), buffer.end(), [](std::uint8_t b) { return b != 0x5A; })) {
        std::abort(); // refused, yet the buffer was changed
    }

    std::uint64_t remaining = announced;
    std::uint64_t written = 0;
    bool refused = false;
    for (std::size_t offset = 0; offset < body.size();) {
        const std::size_t count = std::min<std::size_t>({readLength, body.size() - offset, buffer.size()});
        if (count == 0) {
            refused = true; // a buffer of no bytes can take nothing
            break;
        }
        std::copy_n(body.begin() + static_cast<std::ptrdiff_t>(offset), count, buffer.begin());
        const auto toWrite = decryptChunk(buffer, count, key, remaining);
        if (!toWrite) {
            if ((count + 15) / 16 * 16 <= buffer.size())
                std::abort(); // refused although the blocks fit
            refused = true;
            break;
        }
        if (*toWrite > count || *toWrite > remaining)
            std::abort();
        remaining -= *toWrite;
        written += *toWrite;
        offset += count;
    }
    if (written > body.size() || written > announced)
        std::abort();
    if (complete && !refused && written != announced)
        std::abort();
    return 0;
}
