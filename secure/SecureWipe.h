// Overwriting key material so that it does not linger in memory after use.
#pragma once

#include <cstddef>

namespace yk {

// Zeroes the bytes through a volatile pointer, so the compiler cannot drop the stores as dead.
inline void secureWipe(void* data, std::size_t size)
{
    auto* bytes = static_cast<volatile unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = 0;
}

} // namespace yk
