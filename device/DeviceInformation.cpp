#include "device/DeviceInformation.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>

namespace yk {

namespace {

// The EF32_1 page. Everything the checksum covers, and so everything decoded, lies in bytes 0 to 125.
constexpr std::size_t kCheckedBytes = 126;
constexpr std::size_t kChecksumAt = 126;
constexpr std::array<std::uint8_t, 3> kSerialMarker{0x55, 0xAA, 0xBB};
constexpr std::size_t kSerialAt = 6;
constexpr std::size_t kSerialBytes = 6;
constexpr std::array<std::uint8_t, 4> kProductMarker{0x55, 0xAA, 0xBB, 0x56};
constexpr std::size_t kProductMarkerAt = 16;
constexpr std::size_t kProductVersionAt = 20;
constexpr std::size_t kProductMiddleAt = 26;
constexpr std::size_t kModelFieldAt = 27;
constexpr std::size_t kProductHeadBytes = 4;
constexpr std::size_t kSuffixOffset = 7; // from the head
constexpr std::size_t kSuffixBytes = 5;
constexpr std::uint8_t kFirstProductVersion = 2;
constexpr std::uint8_t kSuffixVersion = 3;
constexpr const char* kSuffixBeforeVersion3 = "00000";

// The device information block.
constexpr std::size_t kFirstRecordPointerAt = 16;
constexpr std::size_t kFirstRecordDistance = 15;
constexpr std::size_t kRecordHeaderSize = 4;
constexpr std::size_t kRecordLengthAt = 1;

constexpr std::size_t kSerialSplit = 6;

const char kHexDigits[] = "0123456789ABCDEF";

void appendHexByte(std::string& out, std::uint8_t byte)
{
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

std::string hexBytes(std::span<const std::uint8_t> bytes)
{
    std::string out;
    for (const auto byte : bytes)
        appendHexByte(out, byte);
    return out;
}

// "%X": no leading zero.
std::string hexWithoutLeadingZero(std::uint8_t byte)
{
    std::string out;
    if (byte >> 4)
        out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
    return out;
}

// A text ends at its first zero byte or at the end of its field.
std::string textOf(std::span<const std::uint8_t> field)
{
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    return std::string(field.begin(), end);
}

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> bytes, std::size_t at, const std::array<std::uint8_t, N>& marker)
{
    return std::equal(marker.begin(), marker.end(), bytes.begin() + at);
}

std::wstring widenAscii(std::string_view text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring convert(const AnsiToWide& ansiToWide, std::string_view text)
{
    // The platform's conversion refuses an empty input; there is nothing to convert anyway.
    return text.empty() ? std::wstring{} : ansiToWide(text);
}

void decodeProductBlock(std::span<const std::uint8_t, kInfoPageSize> page, EF32_1_InfoPageValues& values)
{
    const std::uint8_t version = page[kProductVersionAt];
    if (version < kFirstProductVersion)
        return;
    // Both field lengths count their own length byte, so neither can be 0. Each step is checked before the
    // next length is read, and q stays below the page size, so no sum here can leave the page.
    const std::size_t modelField = page[kModelFieldAt];
    if (modelField == 0 || kModelFieldAt + modelField >= kCheckedBytes)
        return;
    const std::size_t skippedAt = kModelFieldAt + modelField;
    const std::size_t skippedField = page[skippedAt];
    if (skippedField == 0 || skippedAt + skippedField >= kCheckedBytes)
        return;
    const std::size_t head = skippedAt + skippedField; // q
    if (head + kProductHeadBytes > kCheckedBytes)
        return;
    const bool hasSuffix = version >= kSuffixVersion;
    if (hasSuffix && head + kSuffixOffset + kSuffixBytes > kCheckedBytes)
        return;

    const std::span<const std::uint8_t> bytes = page;
    values.model = textOf(bytes.subspan(kModelFieldAt + 1, modelField - 1));
    values.productHead = hexBytes(bytes.subspan(head, kProductHeadBytes));
    values.productMiddle = hexWithoutLeadingZero(page[kProductMiddleAt]);
    values.productSuffix =
        hasSuffix ? textOf(bytes.subspan(head + kSuffixOffset, kSuffixBytes)) : std::string(kSuffixBeforeVersion3);
}

} // namespace

EF32_1_InfoPageValues getEF32_1_InfoPage(std::span<const std::uint8_t, kInfoPageSize> page)
{
    EF32_1_InfoPageValues values;
    // 126 bytes add up to at most 32130, so the 16-bit checksum is compared as it is, without any wrap.
    const unsigned sum = std::accumulate(page.begin(), page.begin() + kCheckedBytes, 0u);
    const unsigned checksum = page[kChecksumAt] * 256u + page[kChecksumAt + 1];
    if (sum != checksum)
        return values;
    values.checksumOk = true;

    const std::span<const std::uint8_t> bytes = page;
    if (startsWith(bytes, 0, kSerialMarker))
        values.serialNumber = hexBytes(bytes.subspan(kSerialAt, kSerialBytes));
    if (startsWith(bytes, kProductMarkerAt, kProductMarker))
        decodeProductBlock(page, values);
    return values;
}

DeviceInfoRecords getDevice_InfoPage(std::span<const std::uint8_t, kDeviceInfoSize> block)
{
    DeviceInfoRecords records;
    std::size_t start = (block[kFirstRecordPointerAt] + kFirstRecordDistance) % kRecordArea;
    for (std::size_t index = 0; index < kDeviceInfoRecords; ++index) {
        // A header that does not fit before byte 256 ends the walk before its length is read.
        if (start + kRecordHeaderSize > kRecordArea)
            break;
        const std::size_t length = block[start + kRecordLengthAt];
        if (length < kRecordHeaderSize || start + length > kRecordArea)
            break;
        if (kRecordTextCapacity[index] != 0) {
            auto text = textOf(
                std::span<const std::uint8_t>(block).subspan(start + kRecordHeaderSize, length - kRecordHeaderSize));
            if (text.size() <= kRecordTextCapacity[index])
                records[index] = std::move(text);
        }
        start = (start + length) % kRecordArea;
    }
    return records;
}

bool ReadDeviceEF32_1_InfoPage(VendorCommands& commands, std::span<std::uint8_t, kInfoPageSize> page)
{
    if (!commands.state().connected)
        return false;
    std::fill(page.begin(), page.end(), std::uint8_t{0});
    return commands.readInfoPage(page) == kScsiStatusGood;
}

bool readDeviceInfo(VendorCommands& commands, std::span<std::uint8_t, kDeviceInfoSize> block)
{
    if (!commands.state().connected)
        return false;
    std::fill(block.begin(), block.end(), std::uint8_t{0});
    return commands.readDeviceInfo(block) == kScsiStatusGood;
}

bool readPowerSampleOf(VendorCommands& commands, std::uint8_t port, std::span<std::uint8_t, kPowerSampleSize> sample)
{
    if (!commands.state().connected)
        return false;
    std::fill(sample.begin(), sample.end(), std::uint8_t{0});
    return commands.readPowerSample(port, sample) == kScsiStatusGood;
}

DeviceInformation readDeviceInformation(VendorCommands& commands, const AnsiToWide& ansiToWide, std::wstring appVersion)
{
    DeviceInformation info;
    info.appVersion = std::move(appVersion);

    std::array<std::uint8_t, kInfoPageSize> page{};
    if (ReadDeviceEF32_1_InfoPage(commands, page)) {
        const auto values = getEF32_1_InfoPage(page);
        if (values.serialNumber) {
            const std::string_view serial = *values.serialNumber;
            info.serialNumber =
                widenAscii(serial.substr(0, kSerialSplit)) + L"-" + widenAscii(serial.substr(kSerialSplit));
        }
        info.productNumber = widenAscii(values.productHead.value_or("")) + L"-" +
                             widenAscii(values.productMiddle.value_or("")) +
                             convert(ansiToWide, values.productSuffix.value_or(""));
        info.model = convert(ansiToWide, values.model.value_or(""));
    }

    std::array<std::uint8_t, kDeviceInfoSize> block{};
    if (readDeviceInfo(commands, block)) {
        const auto records = getDevice_InfoPage(block);
        info.manufacturer = convert(ansiToWide, records[kRecordManufacturer]);
        info.firmwareVersion = convert(ansiToWide, records[kRecordFirmwareVersion]);
        info.hardwareVersion = convert(ansiToWide, records[kRecordHardwareVersion]);
        if (info.model == L"N/A" || info.model.empty())
            info.model = convert(ansiToWide, records[kRecordModel]);
    }
    return info;
}

std::wstring formatPowerLine(VendorCommands& commands, std::uint8_t port)
{
    std::array<std::uint8_t, kPowerSampleSize> sample{};
    if (!readPowerSampleOf(commands, port, sample))
        return L"0.00 V / 0.00 A";
    const unsigned millivolts = sample[0] << 8 | sample[1];
    const unsigned milliamperes = sample[2] << 8 | sample[3];
    // The longest line, "65.53 V / 65.53 A", fits many times over.
    char line[48];
    std::snprintf(line, sizeof line, "%.2f V / %.2f A", millivolts / 1000.0, milliamperes / 1000.0);
    return widenAscii(line);
}

} // namespace yk
