#include "device/Discovery.h"

#include <string_view>

#include "device/StorageDescriptor.h"
#include "device/UsbIdentifiers.h"

namespace yk {

namespace {

constexpr std::string_view kReaderVendor = "Generic ";
constexpr std::string_view kDeviceVendor = "YrrwKeep";
constexpr std::uint32_t kMaxPhysicalDisk = 32;

bool isOurVendor(const std::string& vendorId)
{
    return vendorId == kReaderVendor || vendorId == kDeviceVendor;
}

bool sameDisk(const StorageDeviceNumber& a, const StorageDeviceNumber& b)
{
    return a.deviceType == b.deviceType && a.deviceNumber == b.deviceNumber;
}

std::wstring widen(const std::string& ascii)
{
    std::wstring wide;
    wide.reserve(ascii.size());
    for (const char c : ascii)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return wide;
}

} // namespace

bool findDevice(DeviceState& state, DeviceHost& host)
{
    const auto interfaces = host.diskInterfaces();
    if (!interfaces)
        return false;
    for (const DiskInterface& disk : *interfaces) {
        // An interface whose identifiers cannot be read says nothing about the others: pass it over.
        if (!disk.readable || !isUsbStorageDisk(disk.compatibleIds))
            continue;
        const auto id = parseUsbDeviceId(disk.parentId);
        if (!id || !isSupportedDevice(*id))
            continue;
        // A path that does not fit would name another object once cut short.
        if (disk.devicePath.empty() || disk.devicePath.size() > kDevicePathCapacity)
            continue;
        state.devicePath = disk.devicePath;
        scanDriveLetters(state, host);
        return true;
    }
    return false;
}

void scanDriveLetters(DeviceState& state, DeviceHost& host)
{
    state.strDriveID.clear();
    const std::uint32_t drives = host.logicalDrives();
    // When the device's own disk number is known, only a volume on that disk is ours; a card reader
    // that reports the same vendor text must never receive a backup.
    const auto deviceNumber = host.interfaceDeviceNumber(state.devicePath);
    for (unsigned bit = 0; bit < 26 && state.strDriveID.empty(); ++bit) {
        host.dispatchWaitingMessages();
        if ((drives & (1u << bit)) == 0)
            continue;
        const wchar_t letter = static_cast<wchar_t>(L'A' + bit);
        const auto descriptor = host.volumeDescriptor(letter);
        if (!descriptor)
            continue;
        const auto identity = parseStorageDescriptor(*descriptor);
        if (!identity || !isOurVendor(identity->vendorId))
            continue;
        const auto volumeNumber = host.volumeDeviceNumber(letter);
        if (deviceNumber && (!volumeNumber || !sameDisk(*volumeNumber, *deviceNumber)))
            continue;
        if (volumeNumber && volumeNumber->deviceNumber >= kMaxPhysicalDisk)
            return;
        state.strDriveID = std::wstring(1, letter) + L":" + widen(identity->productId);
        if (volumeNumber) {
            if (const auto size = host.volumeDiskSize(letter))
                host.debugOutput(L"EX: Disk Size(Sector): " + std::to_wstring(*size / 512));
        }
    }
}

std::uint64_t getDriveSpace(DeviceHost& host, wchar_t letter, std::uint64_t* freeBytes)
{
    const auto space = host.diskSpace(letter);
    if (!space)
        host.debugOutput(L"GetDiskFreeSpaceEx Fail");
    if (freeBytes)
        *freeBytes = space ? space->freeBytesToCaller : 0;
    return space ? space->totalBytes : 0;
}

std::uint64_t getFreeSpace(DeviceHost& host, wchar_t letter)
{
    const auto space = host.diskSpace(letter);
    return space ? space->freeBytesToCaller : 0;
}

} // namespace yk
