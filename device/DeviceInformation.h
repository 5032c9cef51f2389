// What the device says about itself: the EF32_1 information page, the device information block with its
// chain of records, and the power samples of its two ports, turned into the strings the dialogs show.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/VendorCommands.h"

namespace yk {

// The values of one EF32_1 information page. Texts are bytes in the ANSI code page, as the device sent them;
// the hexadecimal parts are ASCII. A value that was not decoded is empty.
struct EF32_1_InfoPageValues {
    bool checksumOk = false;
    std::optional<std::string> serialNumber;  // twelve upper-case hexadecimal digits
    std::optional<std::string> model;         // ends at its first zero byte
    std::optional<std::string> productHead;   // eight upper-case hexadecimal digits
    std::optional<std::string> productMiddle; // byte 26 in upper-case hexadecimal without leading zero
    std::optional<std::string> productSuffix; // at most five bytes of text; "00000" for a version 2 block
};

// Checks and decodes a page. A page whose checksum fails decodes nothing. The product block is all or
// nothing: when its model field or the field after it does not fit inside bytes 0 to 125, or the product
// number behind them would reach past byte 125, none of model, head, middle and suffix is decoded.
EF32_1_InfoPageValues getEF32_1_InfoPage(std::span<const std::uint8_t, kInfoPageSize> page);

// The record texts of the device information block, indexed by record.
inline constexpr std::size_t kDeviceInfoRecords = 5;
inline constexpr std::size_t kRecordModel = 0;
inline constexpr std::size_t kRecordManufacturer = 1;
inline constexpr std::size_t kRecordFirmwareVersion = 3;
inline constexpr std::size_t kRecordHardwareVersion = 4;
using DeviceInfoRecords = std::array<std::string, kDeviceInfoRecords>;

// The most text bytes each record holds; record 2 is not used and its text never read.
inline constexpr std::array<std::size_t, kDeviceInfoRecords> kRecordTextCapacity{32, 64, 0, 16, 16};
// The records live in the block's first 256 bytes; nothing past them is read.
inline constexpr std::size_t kRecordArea = 256;

// Walks the record chain. Every text ends at its first zero byte or at the end of its record. A damaged
// record (a length below its 4 header bytes, or a record reaching past byte 255) ends the walk: its text and
// those of the records after it stay empty. A text longer than its record's capacity stays empty, and the
// walk goes on, since that record's length still places the next one.
DeviceInfoRecords getDevice_InfoPage(std::span<const std::uint8_t, kDeviceInfoSize> block);

// The replies themselves: false at once when not connected, otherwise true when the status is 0. Replies
// land in the caller's buffer, which is zeroed first.
bool ReadDeviceEF32_1_InfoPage(VendorCommands& commands, std::span<std::uint8_t, kInfoPageSize> page);
bool readDeviceInfo(VendorCommands& commands, std::span<std::uint8_t, kDeviceInfoSize> block);
bool readPowerSampleOf(VendorCommands& commands, std::uint8_t port, std::span<std::uint8_t, kPowerSampleSize> sample);

struct DeviceInformation {
    std::wstring manufacturer;
    std::wstring model = L"N/A";
    std::wstring serialNumber;  // six characters, "-", six characters
    std::wstring productNumber; // head "-" middle suffix
    std::wstring firmwareVersion;
    std::wstring hardwareVersion;
    std::wstring appVersion;
};

// Turns bytes in the thread's ANSI code page into wide characters.
using AnsiToWide = std::function<std::wstring(std::string_view)>;

// Reads the page and the block and fills in what they hold; values whose reply did not come keep their
// starting values. `appVersion` is the program's own version, from its version resource, rather than a
// number fixed in the code that every release would have to remember to change.
DeviceInformation readDeviceInformation(VendorCommands& commands, const AnsiToWide& ansiToWide,
                                        std::wstring appVersion);

// The voltage/current line of port 0 or 1: "0.00 V / 0.00 A" until a sample comes.
std::wstring formatPowerLine(VendorCommands& commands, std::uint8_t port);

} // namespace yk
