#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "device/DeviceInformation.h"
#include "support/FakeDeviceHost.h"

namespace yk {
namespace {

using test::FakeDeviceHost;

using Page = std::array<std::uint8_t, kInfoPageSize>;
using Block = std::array<std::uint8_t, kDeviceInfoSize>;
using Sample = std::array<std::uint8_t, kPowerSampleSize>;

constexpr std::array<std::uint8_t, 6> kSerial{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB};

// Writes the checksum of bytes 0 to 125 into bytes 126 and 127.
void seal(Page& page)
{
    const unsigned sum = std::accumulate(page.begin(), page.begin() + 126, 0u);
    page[126] = static_cast<std::uint8_t>(sum >> 8);
    page[127] = static_cast<std::uint8_t>(sum);
}

// A product block. The field lengths default to what the texts need; tests that damage the block set them.
struct ProductBlock {
    std::uint8_t version = 3;
    std::uint8_t middle = 0x0A;
    std::string model = "YK Mini";
    std::optional<std::uint8_t> modelField = std::nullopt; // default: the model's length + 1
    std::uint8_t skippedField = 3;
    std::array<std::uint8_t, 4> head{0x59, 0x4B, 0x30, 0x31};
    std::string suffix = "TW001";
};

// Bytes beyond 125 are left to `seal`; a damaged block's fields that would reach them are simply cut.
void put(Page& page, std::size_t at, std::uint8_t byte)
{
    if (at < 126)
        page[at] = byte;
}

void writeProductBlock(Page& page, const ProductBlock& product)
{
    const std::array<std::uint8_t, 4> marker{0x55, 0xAA, 0xBB, 0x56};
    std::copy(marker.begin(), marker.end(), page.begin() + 16);
    page[20] = product.version;
    page[21] = 0x01;
    page[25] = 0x02;
    page[26] = product.middle;
    const std::size_t modelField = product.modelField.value_or(static_cast<std::uint8_t>(product.model.size() + 1));
    for (std::size_t i = 0; i < product.model.size(); ++i)
        put(page, 28 + i, static_cast<std::uint8_t>(product.model[i]));
    const std::size_t skippedAt = 27 + modelField;
    for (std::size_t i = 1; i < product.skippedField; ++i)
        put(page, skippedAt + i, 0x5A);
    const std::size_t q = skippedAt + product.skippedField;
    for (std::size_t i = 0; i < 4; ++i)
        put(page, q + i, product.head[i]);
    for (std::size_t i = 0; i < 3; ++i)
        put(page, q + 4 + i, 0x33);
    for (std::size_t i = 0; i < product.suffix.size(); ++i)
        put(page, q + 7 + i, static_cast<std::uint8_t>(product.suffix[i]));
    // The length bytes last: with a length of 0 the next field would land on them.
    put(page, skippedAt, product.skippedField);
    page[27] = static_cast<std::uint8_t>(modelField);
}

// A page as the device sends it: the serial number 01 23 45 67 89 AB and the given product block.
Page devicePage(const ProductBlock& product = {})
{
    Page page{};
    page[0] = 0x55;
    page[1] = 0xAA;
    page[2] = 0xBB;
    std::copy(kSerial.begin(), kSerial.end(), page.begin() + 6);
    writeProductBlock(page, product);
    seal(page);
    return page;
}

// One record of the chain: its length byte and the text bytes after its header, written as given.
struct RawRecord {
    std::uint8_t length;
    std::string text;
};

// Writes the pointer at byte 16 and the records from where it points, noting where each starts. Every
// header's unused first byte is '~' (unless it is the pointer), so a text that ran on past its record's end
// would pick it up.
Block recordBlock(std::uint8_t pointer, const std::vector<RawRecord>& records,
                  std::vector<std::size_t>* starts = nullptr)
{
    Block block{};
    block[16] = pointer;
    std::size_t start = (pointer + 15) % 256;
    for (const auto& record : records) {
        if (starts)
            starts->push_back(start);
        if (start != 16)
            block[start] = '~';
        block[start + 1] = record.length;
        std::copy(record.text.begin(), record.text.end(), block.begin() + start + 4);
        start = (start + record.length) % 256;
    }
    return block;
}

// Records with terminated texts and lengths that fit them.
Block chainOf(std::uint8_t pointer, const std::vector<std::string>& texts, std::vector<std::size_t>* starts = nullptr)
{
    std::vector<RawRecord> records;
    for (const auto& text : texts)
        records.push_back({static_cast<std::uint8_t>(4 + text.size() + 1), text + '\0'});
    return recordBlock(pointer, records, starts);
}

std::wstring latin1(std::string_view text)
{
    std::wstring wide;
    for (const char c : text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return wide;
}

// ---- The EF32_1 page ----

TEST(InfoPageDecoding, ChecksumIsTheBigEndianSumOfBytes0To125WithoutWrap)
{
    struct Case {
        const char* name;
        std::vector<std::pair<std::size_t, std::uint8_t>> bytes; // set on a zero page
        bool ok;
    };
    const Case cases[] = {
        {"sum 300 as 01 2C", {{10, 200}, {100, 100}, {126, 0x01}, {127, 0x2C}}, true},
        {"sum 300 as 2C 01", {{10, 200}, {100, 100}, {126, 0x2C}, {127, 0x01}}, false},
        {"sum 300 as 01 2D", {{10, 200}, {100, 100}, {126, 0x01}, {127, 0x2D}}, false},
        {"sum 300 as its low byte", {{10, 200}, {100, 100}, {126, 0x00}, {127, 0x2C}}, false},
        {"checksum bytes not summed", {{50, 0x01}, {126, 0x00}, {127, 0x01}}, true},
        {"sum 0 against 1", {{126, 0x00}, {127, 0x01}}, false},
        {"byte 125 is", {{125, 0x07}, {127, 0x07}}, true},
    };
    for (const auto& c : cases) {
        Page page{};
        for (const auto& [at, value] : c.bytes)
            page[at] = value;
        EXPECT_EQ(getEF32_1_InfoPage(page).checksumOk, c.ok) << c.name;
    }

    // The largest possible sum, 126 x 0xFF = 32130, fits 16 bits as it is.
    Page full;
    full.fill(0xFF);
    full[126] = 0x7D;
    full[127] = 0x82;
    EXPECT_TRUE(getEF32_1_InfoPage(full).checksumOk);
}

TEST(InfoPageDecoding, ValidPageGivesSerialModelAndProductNumber)
{
    const auto values = getEF32_1_InfoPage(devicePage());
    EXPECT_TRUE(values.checksumOk);
    EXPECT_EQ(values.serialNumber, "0123456789AB");
    EXPECT_EQ(values.model, "YK Mini");
    EXPECT_EQ(values.productHead, "594B3031");
    EXPECT_EQ(values.productMiddle, "A");
    EXPECT_EQ(values.productSuffix, "TW001");
}

TEST(InfoPageDecoding, FailedChecksumDecodesNothing)
{
    for (const std::size_t at : {std::size_t{0}, std::size_t{40}, std::size_t{126}, std::size_t{127}}) {
        auto page = devicePage();
        page[at] ^= 0x01;
        const auto values = getEF32_1_InfoPage(page);
        EXPECT_FALSE(values.checksumOk) << at;
        EXPECT_FALSE(values.serialNumber) << at;
        EXPECT_FALSE(values.model) << at;
        EXPECT_FALSE(values.productHead) << at;
        EXPECT_FALSE(values.productMiddle) << at;
        EXPECT_FALSE(values.productSuffix) << at;
    }
}

TEST(InfoPageDecoding, EachMarkerGuardsOnlyItsOwnValues)
{
    // A broken serial marker loses the serial number only; a broken product marker the product block only.
    for (const std::size_t at : {0, 1, 2}) {
        auto page = devicePage();
        page[at] ^= 0x10;
        seal(page);
        const auto values = getEF32_1_InfoPage(page);
        EXPECT_FALSE(values.serialNumber) << at;
        EXPECT_EQ(values.model, "YK Mini") << at;
        EXPECT_EQ(values.productHead, "594B3031") << at;
    }
    for (const std::size_t at : {16, 17, 18, 19}) {
        auto page = devicePage();
        page[at] ^= 0x10;
        seal(page);
        const auto values = getEF32_1_InfoPage(page);
        EXPECT_TRUE(values.checksumOk) << at;
        EXPECT_EQ(values.serialNumber, "0123456789AB") << at;
        EXPECT_FALSE(values.model) << at;
        EXPECT_FALSE(values.productHead) << at;
        EXPECT_FALSE(values.productMiddle) << at;
        EXPECT_FALSE(values.productSuffix) << at;
    }
}

TEST(InfoPageDecoding, ProductBlockVersionAndMiddleByte)
{
    struct Case {
        std::uint8_t version;
        std::uint8_t middle;
        std::optional<std::string> middleText;
        std::optional<std::string> suffix;
    };
    const Case cases[] = {
        {0, 0x0A, std::nullopt, std::nullopt},
        {1, 0x0A, std::nullopt, std::nullopt},
        {2, 0x0A, "A", "00000"}, // a version 2 block has no suffix of its own
        {3, 0x0A, "A", "TW001"},
        {0xFF, 0x0A, "A", "TW001"},
        {3, 0x00, "0", "TW001"},
        {3, 0x10, "10", "TW001"},
        {3, 0xFF, "FF", "TW001"},
        {3, 0xB7, "B7", "TW001"},
    };
    for (const auto& c : cases) {
        const auto values = getEF32_1_InfoPage(devicePage({.version = c.version, .middle = c.middle}));
        EXPECT_EQ(values.productMiddle, c.middleText) << int(c.version) << ' ' << int(c.middle);
        EXPECT_EQ(values.productSuffix, c.suffix) << int(c.version) << ' ' << int(c.middle);
        EXPECT_EQ(values.productHead.has_value(), c.version >= 2) << int(c.version);
    }
}

TEST(InfoPageDecoding, TextsEndAtTheirFirstZeroByte)
{
    const std::string model("YK\0\0\0", 5);
    const auto values =
        getEF32_1_InfoPage(devicePage({.model = model, .suffix = std::string{'T', 'W', '\0', '0', '1'}}));
    EXPECT_EQ(values.model, "YK");
    EXPECT_EQ(values.productSuffix, "TW");
    // The field length, not the text, places what follows.
    EXPECT_EQ(values.productHead, "594B3031");

    EXPECT_EQ(getEF32_1_InfoPage(devicePage({.model = ""})).model, "");
}

TEST(InfoPageDecoding, ProductBlockThatDoesNotFitBefore126IsNotDecoded)
{
    struct Case {
        const char* name;
        std::uint8_t version;
        std::uint8_t modelField;   // M
        std::uint8_t skippedField; // K; q = 27 + M + K
        bool decoded;
    };
    const Case cases[] = {
        {"sound", 3, 8, 3, true},
        {"empty model and skipped field", 3, 1, 1, true},
        {"model length not counting itself", 3, 0, 3, false},
        {"skipped length not counting itself", 3, 8, 0, false},
        {"q = 122: head ends at 125", 2, 90, 5, true},
        {"q = 123: head would take byte 126", 2, 90, 6, false},
        {"suffix would start at 129", 3, 90, 5, false},
        {"q = 114: suffix ends at 125", 3, 82, 5, true},
        {"suffix would take byte 126", 3, 82, 6, false},
        {"K at 125, q = 126", 3, 98, 1, false},
        {"K would be the checksum's first byte", 3, 99, 1, false},
        {"model alone runs past the page", 3, 200, 1, false},
        {"skipped field runs past the page", 2, 8, 255, false},
        {"both at their largest", 2, 255, 255, false},
    };
    for (const auto& c : cases) {
        const std::string model(c.modelField > 0 ? c.modelField - 1 : 0, 'M');
        const auto page = devicePage(
            {.version = c.version, .model = model, .modelField = c.modelField, .skippedField = c.skippedField});
        const auto values = getEF32_1_InfoPage(page);
        const std::string label = c.name;
        ASSERT_TRUE(values.checksumOk) << label;
        EXPECT_EQ(values.serialNumber, "0123456789AB") << label;
        if (c.decoded) {
            EXPECT_EQ(values.model, model.substr(0, std::min<std::size_t>(model.size(), 126 - 28))) << label;
            EXPECT_EQ(values.productHead, "594B3031") << label;
            EXPECT_EQ(values.productMiddle, "A") << label;
            EXPECT_EQ(values.productSuffix, c.version >= 3 ? "TW001" : "00000") << label;
        } else {
            EXPECT_FALSE(values.model) << label;
            EXPECT_FALSE(values.productHead) << label;
            EXPECT_FALSE(values.productMiddle) << label;
            EXPECT_FALSE(values.productSuffix) << label;
        }
    }
}

// ---- The device information block ----

TEST(DeviceInfoRecords, WalksFiveRecordsFromWhereByte16Points)
{
    const auto records = getDevice_InfoPage(chainOf(0x21, {"YK Mini", "WBX", "not shown", "FW 1.2.0", "HW B1"}));
    EXPECT_EQ(records, (DeviceInfoRecords{"YK Mini", "WBX", "", "FW 1.2.0", "HW B1"}));
}

TEST(DeviceInfoRecords, ChainWrapsAtByte256)
{
    // Record 0 at 240 ends exactly at 256; record 1 starts again at 0, record 2's unused header byte is the
    // pointer at 16.
    const auto block = recordBlock(0xE1, {{16, std::string("Model\0", 6)},
                                          {16, std::string("Maker\0", 6)},
                                          {4, ""},
                                          {10, std::string("FW1\0", 4)},
                                          {10, std::string("HW1\0", 4)}});
    ASSERT_EQ(block[16], 0xE1);
    EXPECT_EQ(getDevice_InfoPage(block), (DeviceInfoRecords{"Model", "Maker", "", "FW1", "HW1"}));
}

TEST(DeviceInfoRecords, TextEndsAtZeroOrAtTheEndOfItsRecord)
{
    // Record 0's text has no terminator: it stops before record 1's header ('~').
    const auto block =
        recordBlock(0x21, {{4 + 5, "Model"}, {4 + 8, std::string("WBX\0junk", 8)}, {4, ""}, {4, ""}, {4 + 2, "B1"}});
    EXPECT_EQ(getDevice_InfoPage(block), (DeviceInfoRecords{"Model", "WBX", "", "", "B1"}));
}

TEST(DeviceInfoRecords, TextLongerThanItsCapacityStaysEmptyAndTheWalkGoesOn)
{
    struct Case {
        std::size_t record;
        std::string text;
        std::string kept;
    };
    const Case cases[] = {
        {0, std::string(32, 'm'), std::string(32, 'm')},
        {0, std::string(33, 'm'), ""},
        {1, std::string(64, 'w'), std::string(64, 'w')},
        {1, std::string(65, 'w'), ""},
        {3, std::string(16, 'f'), std::string(16, 'f')},
        {3, std::string(17, 'f'), ""},
        {4, std::string(16, 'h'), std::string(16, 'h')},
        {4, std::string(17, 'h'), ""},
        // A long record is fine as long as its text ends in time.
        {3, std::string("FW 1.2.0\0", 9) + std::string(40, 'g'), "FW 1.2.0"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> texts{"r0", "r1", "r2", "r3", "r4"};
        texts[c.record] = c.text;
        DeviceInfoRecords expected{"r0", "r1", "", "r3", "r4"};
        expected[c.record] = c.kept;
        EXPECT_EQ(getDevice_InfoPage(chainOf(0x21, texts)), expected) << c.record << ' ' << c.text.size();
    }
}

TEST(DeviceInfoRecords, DamagedRecordEndsTheWalk)
{
    struct Case {
        const char* name;
        std::uint8_t pointer;
        std::vector<std::string> texts;           // a sound chain
        std::optional<std::size_t> damagedRecord; // whose length is then set to `length`
        std::uint8_t length;
        DeviceInfoRecords expected;
    };
    const std::vector<std::string> five{"Model", "WBX", "x", "FW", "HW"};
    const std::vector<std::string> padded{"Model" + std::string(30, '\0'), "WBX" + std::string(9, '\0')};
    const Case cases[] = {
        {"record 0 of length 0", 0x21, five, 0, 0, {}},
        {"record 2 of length 3", 0x21, five, 2, 3, {"Model", "WBX", "", "", ""}},
        {"record 3 of length 1", 0x21, five, 3, 1, {"Model", "WBX", "", "", ""}},
        {"record 4 of length 3", 0x21, five, 4, 3, {"Model", "WBX", "", "FW", ""}},
        // Record 0 at 200 ends at 240; record 1 takes bytes 240 to 256, its text lying before 256.
        {"record 1 past 256", 0xB9, padded, std::nullopt, 0, {"Model", "", "", "", ""}},
        {"record 0 past 256", 0xF0, {"Model"}, std::nullopt, 0, {}},   // starts at 255
        {"record 0 header past 256", 0xEE, {""}, std::nullopt, 0, {}}, // starts at 253
    };
    for (const auto& c : cases) {
        std::vector<std::size_t> starts;
        auto block = chainOf(c.pointer, c.texts, &starts);
        if (c.damagedRecord)
            block[starts[*c.damagedRecord] + 1] = c.length;
        // Bytes past 256 could end any text read into them; a record that reaches them is refused instead,
        // and a header read across 256 would find sound lengths there and at byte 0.
        std::fill(block.begin() + 256, block.end(), std::uint8_t{'Z'});
        block[256] = 8;
        block[0] = 8;
        EXPECT_EQ(getDevice_InfoPage(block), c.expected) << c.name;
    }
}

// ---- Reading and showing ----

// The device's answers to the three information commands; `nullopt` never gets through. A device that
// answers with an error status still fills the buffer, which must not be used.
struct ScriptedInformationDevice {
    std::optional<std::uint8_t> pageStatus = 0;
    Page page = devicePage();
    std::optional<std::uint8_t> blockStatus = 0;
    Block block = chainOf(0x21, {"YK Mini (block)", "WBX", "", "FW 1.2.0", "HW B1"});
    std::optional<std::uint8_t> sampleStatus = 0;
    std::array<Sample, 2> samples{Sample{0x13, 0x88, 0x01, 0xF4}, Sample{0x12, 0xC0, 0x00, 0x00}};

    std::optional<std::uint8_t> answer(const ScsiCommand& command, std::span<std::uint8_t> data)
    {
        const auto reply = [&data](std::optional<std::uint8_t> status, std::span<const std::uint8_t> bytes) {
            if (status)
                std::copy(bytes.begin(), bytes.end(), data.begin());
            return status;
        };
        switch (command.block[1]) {
        case 0x2C:
            return reply(pageStatus, page);
        case 0xA0:
            return reply(blockStatus, block);
        case 0xB3:
            return reply(sampleStatus, samples.at(command.block[2]));
        default:
            ADD_FAILURE() << "unexpected command " << int(command.block[1]);
            return std::nullopt;
        }
    }
};

struct DeviceInformationFixture : ::testing::Test {
    FakeDeviceHost host;
    DeviceState state;
    VendorCommands commands{state, host};
    ScriptedInformationDevice device;

    DeviceInformationFixture()
    {
        state.connected = true;
        state.devicePath = L"\\\\?\\usbstor#disk#1";
        host.device = [this](const ScsiCommand& command, std::span<std::uint8_t> data) {
            return device.answer(command, data);
        };
    }

    DeviceInformation read() { return readDeviceInformation(commands, latin1, L"2.3.1"); }
};

using DeviceInformationReading = DeviceInformationFixture;

TEST_F(DeviceInformationReading, FillsAllSevenStrings)
{
    const auto info = read();
    EXPECT_EQ(info.manufacturer, L"WBX");
    EXPECT_EQ(info.model, L"YK Mini"); // the page's model comes first
    EXPECT_EQ(info.serialNumber, L"012345-6789AB");
    EXPECT_EQ(info.productNumber, L"594B3031-ATW001");
    EXPECT_EQ(info.firmwareVersion, L"FW 1.2.0");
    EXPECT_EQ(info.hardwareVersion, L"HW B1");
    EXPECT_EQ(info.appVersion, L"2.3.1");
}

TEST_F(DeviceInformationReading, TextsGoThroughTheCodePageConversion)
{
    device.page = devicePage({.model = "Caf\xE9", .suffix = std::string("\xC4") + "0001"});
    device.block = chainOf(0x21, {"", "M\xFCller", "", "v\xB2", "r\xE9v"});
    const auto info = read();
    EXPECT_EQ(info.model, L"Caf\u00E9");
    EXPECT_EQ(info.productNumber, L"594B3031-A\u00C40001");
    EXPECT_EQ(info.manufacturer, L"M\u00FCller");
    EXPECT_EQ(info.firmwareVersion, L"v\u00B2");
    EXPECT_EQ(info.hardwareVersion, L"r\u00E9v");
}

TEST_F(DeviceInformationReading, NotConnectedKeepsTheStartingValuesAndSendsNothing)
{
    state.connected = false;
    const auto info = read();
    EXPECT_EQ(info.model, L"N/A");
    for (const auto* text :
         {&info.manufacturer, &info.serialNumber, &info.productNumber, &info.firmwareVersion, &info.hardwareVersion})
        EXPECT_EQ(*text, L"");
    EXPECT_EQ(info.appVersion, L"2.3.1");
    EXPECT_EQ(host.openCount, 0);
}

TEST_F(DeviceInformationReading, EachReplyFillsOnlyItsOwnStrings)
{
    auto badChecksum = devicePage();
    badChecksum[127] ^= 1;
    auto noProductMarker = devicePage();
    noProductMarker[19] = 0x57;
    seal(noProductMarker);
    auto blankModel = devicePage({.model = std::string(4, '\0')});
    const auto damagedChain = recordBlock(0x21, {{0, "Model"}});

    struct Case {
        const char* name;
        std::optional<std::uint8_t> pageStatus;
        Page page;
        std::optional<std::uint8_t> blockStatus;
        Block block;
        std::wstring serial;
        std::wstring product;
        std::wstring model;
        std::wstring manufacturer;
    };
    const Block block = device.block;
    const Case cases[] = {
        {"page refused", 2, devicePage(), 0, block, L"", L"", L"YK Mini (block)", L"WBX"},
        {"page lost", std::nullopt, devicePage(), 0, block, L"", L"", L"YK Mini (block)", L"WBX"},
        {"page checksum fails", 0, badChecksum, 0, block, L"", L"-", L"YK Mini (block)", L"WBX"},
        {"no product block", 0, noProductMarker, 0, block, L"012345-6789AB", L"-", L"YK Mini (block)", L"WBX"},
        {"version 2 product block", 0, devicePage({.version = 2}), 0, block, L"012345-6789AB", L"594B3031-A00000",
         L"YK Mini", L"WBX"},
        {"page model blank", 0, blankModel, 0, block, L"012345-6789AB", L"594B3031-ATW001", L"YK Mini (block)", L"WBX"},
        {"block refused", 0, devicePage(), 2, block, L"012345-6789AB", L"594B3031-ATW001", L"YK Mini", L""},
        {"block lost", 0, devicePage(), std::nullopt, block, L"012345-6789AB", L"594B3031-ATW001", L"YK Mini", L""},
        {"both refused", 2, devicePage(), 2, block, L"", L"", L"N/A", L""},
        // Record 0's text replaces "N/A" even when it is empty.
        {"page refused, chain damaged", 2, devicePage(), 0, damagedChain, L"", L"", L"", L""},
    };
    for (const auto& c : cases) {
        device.pageStatus = c.pageStatus;
        device.page = c.page;
        device.blockStatus = c.blockStatus;
        device.block = c.block;
        const auto info = read();
        EXPECT_EQ(info.serialNumber, c.serial) << c.name;
        EXPECT_EQ(info.productNumber, c.product) << c.name;
        EXPECT_EQ(info.model, c.model) << c.name;
        EXPECT_EQ(info.manufacturer, c.manufacturer) << c.name;
        const bool blockRead = c.blockStatus == 0 && c.block == block;
        EXPECT_EQ(info.firmwareVersion, blockRead ? L"FW 1.2.0" : L"") << c.name;
        EXPECT_EQ(info.hardwareVersion, blockRead ? L"HW B1" : L"") << c.name;
        EXPECT_EQ(info.appVersion, L"2.3.1") << c.name;
    }
}

using PowerLine = DeviceInformationFixture;

TEST_F(PowerLine, FormatsVoltsAndAmperesOfTheAskedPort)
{
    struct Case {
        std::uint8_t port;
        std::optional<std::uint8_t> status;
        Sample sample;
        std::wstring line;
    };
    const Case cases[] = {
        {0, 0, {0x13, 0x88, 0x01, 0xF4}, L"5.00 V / 0.50 A"},
        {1, 0, {0x13, 0x88, 0x01, 0xF4}, L"5.00 V / 0.50 A"},
        {0, 0, {0x00, 0x00, 0x00, 0x00}, L"0.00 V / 0.00 A"},
        {0, 0, {0xFF, 0xFF, 0xFF, 0xFF}, L"65.53 V / 65.53 A"},
        {1, 0, {0x12, 0xCA, 0x03, 0xE8}, L"4.81 V / 1.00 A"},
        {0, 2, {0x13, 0x88, 0x01, 0xF4}, L"0.00 V / 0.00 A"},
        {1, std::nullopt, {0x13, 0x88, 0x01, 0xF4}, L"0.00 V / 0.00 A"},
    };
    for (const auto& c : cases) {
        device.sampleStatus = c.status;
        device.samples = {};
        device.samples[c.port] = c.sample;
        host.delivered.clear();
        EXPECT_EQ(formatPowerLine(commands, c.port), c.line) << int(c.port) << ' ' << int(c.sample[0]);
        if (c.status) {
            ASSERT_FALSE(host.delivered.empty());
            EXPECT_EQ(host.delivered.back().block[2], c.port);
        }
    }
}

TEST_F(PowerLine, NotConnectedGivesTheStartingLineWithoutACommand)
{
    state.connected = false;
    EXPECT_EQ(formatPowerLine(commands, 0), L"0.00 V / 0.00 A");
    EXPECT_EQ(host.openCount, 0);
}

} // namespace
} // namespace yk
