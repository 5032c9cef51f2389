#include "secure/Aes.h"

#include "secure/AesBackends.h"

namespace yk {

void aesEncryptBuffer(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    if (length <= 0)
        return;
    if (aesWideAvailable())
        aesEncryptBufferWide(buffer, length, key);
    else if (aesAcceleratedAvailable())
        aesEncryptBufferAccelerated(buffer, length, key);
    else
        aesEncryptBufferPortable(buffer, length, key);
}

void aesDecryptBuffer(std::uint8_t* buffer, std::int32_t length, std::span<const std::uint8_t, kAesKeySize> key)
{
    if (length <= 0)
        return;
    if (aesWideAvailable())
        aesDecryptBufferWide(buffer, length, key);
    else if (aesAcceleratedAvailable())
        aesDecryptBufferAccelerated(buffer, length, key);
    else
        aesDecryptBufferPortable(buffer, length, key);
}

} // namespace yk
