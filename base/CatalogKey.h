// A catalog key names one text in the three languages of the string table.
#pragma once

#include <cstdint>

namespace yk {

struct CatalogKey {
    std::uint16_t english;
    std::uint16_t chinese;
    std::uint16_t japanese;
};

} // namespace yk
