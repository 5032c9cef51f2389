#include <gtest/gtest.h>

#include "device/Discovery.h"
#include "device/UsbIdentifiers.h"
#include "support/FakeDeviceHost.h"

namespace yk {
namespace {

using test::FakeDeviceHost;
using test::FakeVolume;

const std::wstring kDevicePath = L"\\\\?\\usbstor#disk&ven_yrrwkeep#1#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}";
const std::wstring kOtherPath = L"\\\\?\\usbstor#disk&ven_other#2#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}";
const std::wstring kDeviceParent = L"USB\\VID_3E7A&PID_0A01\\0001";
const std::wstring kSecondDeviceParent = L"USB\\VID_3E7A&PID_0B02\\0002";

FakeVolume volume(std::string vendor, std::uint32_t diskNumber, std::string product = "SD Card")
{
    return FakeVolume{StorageIdentity{std::move(vendor), std::move(product)}, StorageDeviceNumber{7, diskNumber, 1},
                      64ull * 1024 * 1024, DiskSpace{64ull * 1024 * 1024, 1000}};
}

// A host with our device as disk 2, its volume at F.
FakeDeviceHost hostWithDevice()
{
    FakeDeviceHost host;
    host.interfaces.push_back(FakeDeviceHost::usbDisk(kDevicePath, kDeviceParent));
    host.interfaceNumbers[kDevicePath] = StorageDeviceNumber{7, 2, 0};
    host.volumes[L'C'] = FakeVolume{StorageIdentity{"ATA     ", "System"}, StorageDeviceNumber{7, 0, 1}, 0, {}};
    host.volumes[L'F'] = volume("YrrwKeep", 2, "Yarrowkeep SD");
    return host;
}

TEST(UsbIdentifiers, ReadsVendorAndProductOnlyFromUpperCaseHex)
{
    struct Case {
        const wchar_t* deviceId;
        std::optional<std::pair<std::uint16_t, std::uint16_t>> expected;
    };
    const Case cases[] = {
        {L"USB\\VID_3E7A&PID_0A01\\0001", std::pair{0x3E7A, 0x0A01}},
        {L"USB\\VID_3e7a&PID_0a01\\0001", std::pair{0x3070, 0x0001}}, // lower-case letters count as 0
        {L"USB\\VID_12G4&PID_FFFF", std::pair{0x1204, 0xFFFF}},
        {L"USB\\VID_3E7A&PID_0A", std::pair{0x3E7A, 0x0A00}}, // short field at the end of the id
        {L"USB\\VID_3E7A\\0001", std::nullopt},
        {L"USB\\PID_0A01", std::nullopt},
        {L"", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto id = parseUsbDeviceId(c.deviceId);
        ASSERT_EQ(id.has_value(), c.expected.has_value()) << c.deviceId;
        if (id) {
            EXPECT_EQ(id->vendorId, c.expected->first) << c.deviceId;
            EXPECT_EQ(id->productId, c.expected->second) << c.deviceId;
        }
    }
    EXPECT_TRUE(isUsbStorageDisk(L"USBSTOR\\Disk"));
    EXPECT_TRUE(isUsbStorageDisk(L"USBSTOR\\DiskYrrwKeep"));
    EXPECT_FALSE(isUsbStorageDisk(L"USBSTOR\\DISK"));
    EXPECT_FALSE(isUsbStorageDisk(L"SCSI\\Disk"));
    EXPECT_FALSE(isUsbStorageDisk(L"USBSTOR\\Dis"));
}

TEST(SupportedDeviceIds, FivePairsOfOneVendorEndedByZero)
{
    constexpr auto count = std::size(SupportedDeviceIds);
    ASSERT_EQ(count, 6u);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        EXPECT_EQ(SupportedDeviceIds[i].vendorId, kYarrowkeepVendorId);
        EXPECT_TRUE(isSupportedDevice(SupportedDeviceIds[i]));
    }
    EXPECT_EQ(SupportedDeviceIds[count - 1].vendorId, 0);
    EXPECT_FALSE(isSupportedDevice({0, 0}));
    EXPECT_FALSE(isSupportedDevice({kYarrowkeepVendorId, 0x0C01}));
}

TEST(FindDevice, FindsTheDeviceAndItsVolume)
{
    FakeDeviceHost host = hostWithDevice();
    DeviceState state;
    ASSERT_TRUE(findDevice(state, host));
    EXPECT_EQ(state.devicePath, kDevicePath);
    EXPECT_EQ(state.strDriveID, L"F:Yarrowkeep SD");
    EXPECT_EQ(state.driveLetter(), L'F');
    // Messages are dispatched at every position up to the taken drive, present or not.
    EXPECT_EQ(host.dispatchCount, 6);
    ASSERT_EQ(host.debugLines.size(), 1u);
    EXPECT_EQ(host.debugLines[0], L"EX: Disk Size(Sector): 131072");
}

TEST(FindDevice, TwoDevicesUseTheFirstInEnumerationOrder)
{
    FakeDeviceHost host = hostWithDevice();
    host.interfaces.push_back(FakeDeviceHost::usbDisk(kOtherPath, kSecondDeviceParent));
    host.interfaceNumbers[kOtherPath] = StorageDeviceNumber{7, 3, 0};
    host.volumes[L'E'] = volume("YrrwKeep", 3);
    DeviceState state;
    ASSERT_TRUE(findDevice(state, host));
    EXPECT_EQ(state.devicePath, kDevicePath);
    EXPECT_EQ(state.driveLetter(), L'F'); // E belongs to the second device
}

TEST(FindDevice, InterfacesThatDoNotMatchArePassedOver)
{
    struct Case {
        const char* what;
        DiskInterface disk;
    };
    const std::wstring tooLong = L"\\\\?\\" + std::wstring(kDevicePathCapacity, L'x');
    const Case cases[] = {
        {"lower-case hex in the parent id", FakeDeviceHost::usbDisk(kOtherPath, L"USB\\VID_3e7a&PID_0a01\\1")},
        {"not a USB storage disk", DiskInterface{kOtherPath, L"SCSI\\X", L"SCSI\\Disk", kDeviceParent, true}},
        {"unknown product", FakeDeviceHost::usbDisk(kOtherPath, L"USB\\VID_3E7A&PID_0C01\\1")},
        {"no vendor marker", FakeDeviceHost::usbDisk(kOtherPath, L"USB\\ROOT_HUB30\\4")},
        {"identifiers unreadable", DiskInterface{kOtherPath, L"", L"", L"", false}},
        {"path longer than the device path holds", FakeDeviceHost::usbDisk(tooLong, kDeviceParent)},
    };
    for (const auto& c : cases) {
        // Alone, the interface is no device.
        FakeDeviceHost alone;
        alone.interfaces = {c.disk};
        DeviceState state;
        EXPECT_FALSE(findDevice(state, alone)) << c.what;
        EXPECT_TRUE(state.devicePath.empty()) << c.what;

        // Before the real device, it does not stop the enumeration.
        FakeDeviceHost host = hostWithDevice();
        host.interfaces.insert(host.interfaces.begin(), c.disk);
        EXPECT_TRUE(findDevice(state, host)) << c.what;
        EXPECT_EQ(state.devicePath, kDevicePath) << c.what;
        EXPECT_EQ(state.driveLetter(), L'F') << c.what;
    }
}

TEST(FindDevice, NoDeviceKeepsTheLastPathAndDrive)
{
    DeviceState state;
    state.devicePath = L"old path";
    state.strDriveID = L"G:old";
    FakeDeviceHost empty;
    EXPECT_FALSE(findDevice(state, empty));
    FakeDeviceHost closed;
    closed.interfacesOpen = false;
    EXPECT_FALSE(findDevice(state, closed));
    EXPECT_EQ(state.devicePath, L"old path");
    EXPECT_EQ(state.strDriveID, L"G:old");
}

TEST(ScanDriveLetters, VendorIdentificationIsComparedAsAWhole)
{
    struct Case {
        std::string vendor;
        bool taken;
    };
    const Case cases[] = {{"YrrwKeep", true},  {"Generic ", true},  {"Generic", false},  {"Generic  ", false},
                          {"YrrwKee", false},  {"yrrwkeep", false}, {"YrrwKeep ", false}, {"", false}};
    for (const auto& c : cases) {
        FakeDeviceHost host = hostWithDevice();
        host.volumes[L'F'].identity->vendorId = c.vendor;
        DeviceState state;
        EXPECT_TRUE(findDevice(state, host)) << c.vendor;
        EXPECT_EQ(!state.strDriveID.empty(), c.taken) << '"' << c.vendor << '"';
    }
}

TEST(ScanDriveLetters, AnotherReaderOnAnEarlierLetterIsNotTaken)
{
    FakeDeviceHost host = hostWithDevice();
    host.volumes[L'D'] = volume("Generic ", 1, "Card Reader");
    DeviceState state;
    ASSERT_TRUE(findDevice(state, host));
    EXPECT_EQ(state.strDriveID, L"F:Yarrowkeep SD");
}

TEST(ScanDriveLetters, WithoutTheDeviceNumberTheFirstVendorMatchIsTaken)
{
    FakeDeviceHost host = hostWithDevice();
    host.interfaceNumbers.clear();
    host.volumes[L'D'] = volume("Generic ", 1, "Card Reader");
    DeviceState state;
    ASSERT_TRUE(findDevice(state, host));
    EXPECT_EQ(state.strDriveID, L"D:Card Reader");
}

TEST(ScanDriveLetters, NoMatchingLetterLeavesTheDriveEmpty)
{
    struct Case {
        const char* what;
        void (*change)(FakeDeviceHost&);
    };
    const Case cases[] = {
        {"another vendor", [](FakeDeviceHost& h) { h.volumes[L'F'].identity->vendorId = "Kingston"; }},
        {"descriptor unreadable", [](FakeDeviceHost& h) { h.volumes[L'F'].identity.reset(); }},
        {"volume on another disk", [](FakeDeviceHost& h) { h.volumes[L'F'].number->deviceNumber = 5; }},
        {"volume number unreadable", [](FakeDeviceHost& h) { h.volumes[L'F'].number.reset(); }},
        {"no letter at all", [](FakeDeviceHost& h) { h.volumes.erase(L'F'); }},
        {"physical disk number 32 or more",
         [](FakeDeviceHost& h) {
             h.interfaceNumbers[kDevicePath].deviceNumber = 32;
             h.volumes[L'F'].number->deviceNumber = 32;
         }},
    };
    for (const auto& c : cases) {
        FakeDeviceHost host = hostWithDevice();
        c.change(host);
        DeviceState state;
        state.strDriveID = L"Z:stale";
        EXPECT_TRUE(findDevice(state, host)) << c.what;
        EXPECT_TRUE(state.strDriveID.empty()) << c.what;
    }
}

TEST(DriveSpace, ReportsTotalAndFreeOrZeroOnFailure)
{
    FakeDeviceHost host = hostWithDevice();
    std::uint64_t free = 99;
    EXPECT_EQ(getDriveSpace(host, L'F', &free), 64ull * 1024 * 1024);
    EXPECT_EQ(free, 1000u);
    EXPECT_EQ(getDriveSpace(host, L'F'), 64ull * 1024 * 1024);
    EXPECT_EQ(getFreeSpace(host, L'F'), 1000u);
    EXPECT_TRUE(host.debugLines.empty());

    free = 99;
    EXPECT_EQ(getDriveSpace(host, L'Q', &free), 0u);
    EXPECT_EQ(free, 0u);
    EXPECT_EQ(getFreeSpace(host, L'Q'), 0u);
    ASSERT_EQ(host.debugLines.size(), 1u); // only the total query reports its failure
    EXPECT_EQ(host.debugLines[0], L"GetDiskFreeSpaceEx Fail");
}

} // namespace
} // namespace yk
