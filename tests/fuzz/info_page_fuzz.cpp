// The EF32_1 information page decoder on any 128 bytes. The first input byte says what to mend before the
// page is decoded: bit 0 the checksum, bit 1 the serial marker, bit 2 the product marker, so that most inputs
// get past the checks and into the product block's length fields.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "device/DeviceInformation.h"
#include "tests/fuzz/FuzzInput.h"

using namespace yk;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

int hexValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    std::abort(); // lower case or not a digit at all
}

// Upper-case hexadecimal digits, two a byte, that spell exactly these bytes.
void requireHexOf(const std::string& text, const std::uint8_t* bytes, std::size_t count)
{
    require(text.size() == 2 * count);
    for (std::size_t i = 0; i < count; ++i)
        require(hexValue(text[2 * i]) * 16 + hexValue(text[2 * i + 1]) == bytes[i]);
}

bool hasZero(const std::string& text)
{
    return text.find('\0') != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const auto mend = input.take<std::uint8_t>();
    // On the heap and exactly page-sized, so any read past its end is ASan's finding.
    std::vector<std::uint8_t> page(kInfoPageSize);
    input.takeInto(page);
    if (mend & 2) {
        page[0] = 0x55;
        page[1] = 0xAA;
        page[2] = 0xBB;
    }
    if (mend & 4) {
        page[16] = 0x55;
        page[17] = 0xAA;
        page[18] = 0xBB;
        page[19] = 0x56;
    }
    const unsigned sum = std::accumulate(page.begin(), page.begin() + 126, 0u);
    if (mend & 1) {
        page[126] = static_cast<std::uint8_t>(sum >> 8);
        page[127] = static_cast<std::uint8_t>(sum);
    }

    const auto values = getEF32_1_InfoPage(std::span<const std::uint8_t, kInfoPageSize>(page.data(), kInfoPageSize));

    require(values.checksumOk == (sum == page[126] * 256u + page[127]));
    const bool serialMarker = page[0] == 0x55 && page[1] == 0xAA && page[2] == 0xBB;
    require(values.serialNumber.has_value() == (values.checksumOk && serialMarker));
    if (values.serialNumber)
        requireHexOf(*values.serialNumber, &page[6], 6);

    // The product block is decoded whole or not at all, and only behind its marker and a version of 2 or more.
    const bool product = values.model.has_value();
    require(values.productHead.has_value() == product && values.productMiddle.has_value() == product &&
            values.productSuffix.has_value() == product);
    if (!product)
        return 0;
    require(values.checksumOk && page[16] == 0x55 && page[17] == 0xAA && page[18] == 0xBB && page[19] == 0x56);
    const std::uint8_t version = page[20];
    require(version >= 2);

    // The model is the start of its field, cut at a zero byte or at the field's end, all before byte 126.
    const std::size_t modelField = page[27];
    require(modelField >= 1 && 27 + modelField < 126);
    const auto& model = *values.model;
    require(model.size() <= modelField - 1 && !hasZero(model));
    require(std::equal(model.begin(), model.end(), page.begin() + 28,
                       [](char c, std::uint8_t byte) { return static_cast<std::uint8_t>(c) == byte; }));
    require(model.size() == modelField - 1 || page[28 + model.size()] == 0);

    // The head is the four bytes at q, the suffix five at most at q + 7, all before byte 126.
    const std::size_t skippedField = page[27 + modelField];
    const std::size_t q = 27 + modelField + skippedField;
    require(skippedField >= 1 && q + 4 <= 126);
    requireHexOf(*values.productHead, &page[q], 4);

    const auto& middle = *values.productMiddle;
    require(!middle.empty() && middle.size() <= 2 && (middle.size() == 1 || middle[0] != '0'));
    int middleValue = 0;
    for (const char digit : middle)
        middleValue = middleValue * 16 + hexValue(digit);
    require(middleValue == page[26]);

    const auto& suffix = *values.productSuffix;
    if (version == 2) {
        require(suffix == "00000");
    } else {
        require(q + 12 <= 126);
        require(suffix.size() <= 5 && !hasZero(suffix));
        require(std::equal(suffix.begin(), suffix.end(), page.begin() + q + 7,
                           [](char c, std::uint8_t byte) { return static_cast<std::uint8_t>(c) == byte; }));
    }
    return 0;
}
