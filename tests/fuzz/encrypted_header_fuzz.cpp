// The header reader and the body-size checks on hostile headers.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "secure/Aes.h"
#include "secure/EncryptedFile.h"
#include "tests/fuzz/FuzzInput.h"

using namespace yk;

// The bytes are read as they stand (almost always a wrong-password header) or first encrypted as a plain
// header with the key, so the size field and the body-size checks see every value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const bool encryptFirst = input.take<std::uint8_t>() & 1;
    const auto bodySize = input.take<std::uint64_t>();
    PasswordKey key;
    input.takeInto(key.bytes);

    const auto rest = input.rest();
    std::vector<std::uint8_t> header(rest.begin(), rest.end());
    if (encryptFirst) {
        header.resize(kEncryptedHeaderSize);
        const bool magicPlaced = std::memcmp(header.data(), kEncryptedMagic.data(), kEncryptedMagic.size()) == 0;
        aesEncryptBuffer(header.data(), static_cast<std::int32_t>(header.size()), key.bytes);
        if (readEncryptedHeader(header, key).has_value() != magicPlaced)
            std::abort();
    }

    const auto plainSize = readEncryptedHeader(header, key);
    if (!plainSize)
        return 0;
    const auto neededBody = encryptedBodySize(*plainSize);
    const bool holds = bodyHoldsPlainSize(bodySize, *plainSize);
    if (holds && (!neededBody || bodySize < *plainSize || *neededBody - *plainSize >= kEncryptedPaddingUnit))
        std::abort();
    if (const auto fileSize = encryptedFileSize(*plainSize);
        fileSize && *fileSize != *neededBody + kEncryptedHeaderSize)
        std::abort();
    return 0;
}
