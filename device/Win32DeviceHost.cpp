#include "device/Win32DeviceHost.h"

#include <windows.h>

#include <initguid.h> // before winioctl.h: defines the interface GUIDs here

#include <cfgmgr32.h>
#include <ntddscsi.h>
#include <setupapi.h>
#include <winioctl.h>

#include <cstring>

#include "base/Win32Handles.h"

namespace yk {

namespace {

constexpr DWORD kDetailBufferBytes = 1024;
constexpr DWORD kIdChars = 320;
constexpr DWORD kCompatibleIdsBytes = 520;
constexpr DWORD kDescriptorBytes = 551;

struct DeviceInfoSet {
    HDEVINFO set;
    ~DeviceInfoSet() { SetupDiDestroyDeviceInfoList(set); }
};

// The identifiers of one interface; false when any of them cannot be read.
bool readIdentifiers(HDEVINFO set, SP_DEVINFO_DATA& device, DiskInterface& disk)
{
    wchar_t instanceId[kIdChars] = {};
    if (!SetupDiGetDeviceInstanceIdW(set, &device, instanceId, kIdChars - 1, nullptr))
        return false;
    // The property is a multi-string; the extra zeros keep it terminated whatever the device reports.
    wchar_t compatible[kCompatibleIdsBytes / sizeof(wchar_t) + 1] = {};
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_COMPATIBLEIDS, nullptr,
                                           reinterpret_cast<BYTE*>(compatible), kCompatibleIdsBytes, nullptr))
        return false;
    DEVINST parent = 0;
    if (CM_Get_Parent(&parent, device.DevInst, 0) != CR_SUCCESS)
        return false;
    wchar_t parentId[kIdChars] = {};
    if (CM_Get_Device_IDW(parent, parentId, kIdChars - 1, 0) != CR_SUCCESS)
        return false;
    disk.instanceId = instanceId;
    disk.compatibleIds = compatible;
    disk.parentId = parentId;
    return true;
}

std::wstring rootOf(wchar_t letter)
{
    return {letter, L':', L'\\'};
}

UniqueHandle openVolume(wchar_t letter)
{
    wchar_t path[] = L"\\\\?\\X:";
    path[4] = letter;
    return UniqueHandle(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    0, nullptr));
}

std::optional<StorageDeviceNumber> deviceNumberOf(HANDLE handle)
{
    STORAGE_DEVICE_NUMBER number{};
    DWORD returned = 0;
    if (!DeviceIoControl(handle, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number, &returned,
                         nullptr))
        return std::nullopt;
    return StorageDeviceNumber{number.DeviceType, number.DeviceNumber, number.PartitionNumber};
}

constexpr ULONG kSenseBytes = 96;
constexpr ULONG kCommandTimeoutSeconds = 30;

// The pass-through structure with its sense buffer right behind it, as the driver expects.
struct PassThroughRecord {
    SCSI_PASS_THROUGH_DIRECT header;
    UCHAR sense[kSenseBytes];
};

class PassThroughChannel final : public DeviceChannel {
public:
    explicit PassThroughChannel(UniqueHandle disk) : disk_(std::move(disk)) {}

    std::optional<std::uint8_t> exchange(const ScsiCommand& command, std::span<std::uint8_t> data) override
    {
        PassThroughRecord record{};
        record.header.Length = sizeof(SCSI_PASS_THROUGH_DIRECT);
        record.header.CdbLength = static_cast<UCHAR>(command.block.size());
        std::memcpy(record.header.Cdb, command.block.data(), command.block.size());
        record.header.SenseInfoLength = kSenseBytes;
        record.header.SenseInfoOffset = offsetof(PassThroughRecord, sense);
        record.header.DataIn = command.dataIn ? SCSI_IOCTL_DATA_IN : SCSI_IOCTL_DATA_OUT;
        record.header.DataTransferLength = command.dataIn ? static_cast<ULONG>(data.size()) : 0;
        record.header.DataBuffer = command.dataIn && !data.empty() ? data.data() : nullptr;
        record.header.TimeOutValue = kCommandTimeoutSeconds;
        DWORD returned = 0;
        if (!DeviceIoControl(disk_.get(), IOCTL_SCSI_PASS_THROUGH_DIRECT, &record, sizeof record, &record,
                             sizeof record, &returned, nullptr))
            return std::nullopt;
        return record.header.ScsiStatus;
    }

private:
    UniqueHandle disk_;
};

} // namespace

std::optional<std::vector<DiskInterface>> Win32DeviceHost::diskInterfaces()
{
    const HDEVINFO set =
        SetupDiGetClassDevsW(&GUID_DEVINTERFACE_DISK, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const DeviceInfoSet owner{set};

    std::vector<DiskInterface> result;
    alignas(SP_DEVICE_INTERFACE_DETAIL_DATA_W) BYTE detailBuffer[kDetailBufferBytes + sizeof(wchar_t)];
    for (DWORD index = 0;; ++index) {
        SP_DEVICE_INTERFACE_DATA interfaceData{};
        interfaceData.cbSize = sizeof interfaceData;
        if (!SetupDiEnumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_DISK, index, &interfaceData))
            break;
        ZeroMemory(detailBuffer, sizeof detailBuffer);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(detailBuffer);
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        DiskInterface disk;
        if (SetupDiGetDeviceInterfaceDetailW(set, &interfaceData, detail, kDetailBufferBytes, nullptr, &device)) {
            disk.devicePath = detail->DevicePath;
            disk.readable = readIdentifiers(set, device, disk);
        } else {
            disk.readable = false;
        }
        result.push_back(std::move(disk));
    }
    return result;
}

std::uint32_t Win32DeviceHost::logicalDrives()
{
    return GetLogicalDrives();
}

std::optional<std::vector<std::uint8_t>> Win32DeviceHost::volumeDescriptor(wchar_t letter)
{
    const UniqueHandle volume = openVolume(letter);
    if (!volume)
        return std::nullopt;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    std::vector<std::uint8_t> descriptor(kDescriptorBytes, 0);
    DWORD returned = 0;
    if (!DeviceIoControl(volume.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, descriptor.data(),
                         kDescriptorBytes, &returned, nullptr))
        return std::nullopt;
    descriptor.resize(returned);
    return descriptor;
}

std::optional<StorageDeviceNumber> Win32DeviceHost::volumeDeviceNumber(wchar_t letter)
{
    const UniqueHandle volume = openVolume(letter);
    if (!volume)
        return std::nullopt;
    return deviceNumberOf(volume.get());
}

std::optional<StorageDeviceNumber> Win32DeviceHost::interfaceDeviceNumber(const std::wstring& devicePath)
{
    if (devicePath.empty())
        return std::nullopt;
    const UniqueHandle disk(CreateFileW(devicePath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    if (!disk)
        return std::nullopt;
    return deviceNumberOf(disk.get());
}

std::optional<std::uint64_t> Win32DeviceHost::volumeDiskSize(wchar_t letter)
{
    const UniqueHandle volume = openVolume(letter);
    if (!volume)
        return std::nullopt;
    BYTE geometry[40] = {};
    DWORD returned = 0;
    if (!DeviceIoControl(volume.get(), IOCTL_DISK_GET_DRIVE_GEOMETRY_EX, nullptr, 0, geometry, sizeof geometry,
                         &returned, nullptr) ||
        returned < offsetof(DISK_GEOMETRY_EX, DiskSize) + sizeof(LARGE_INTEGER))
        return std::nullopt;
    return static_cast<std::uint64_t>(reinterpret_cast<DISK_GEOMETRY_EX*>(geometry)->DiskSize.QuadPart);
}

std::optional<DiskSpace> Win32DeviceHost::diskSpace(wchar_t letter)
{
    const std::wstring root = rootOf(letter);
    ULARGE_INTEGER freeToCaller{}, total{};
    if (!GetDiskFreeSpaceExW(root.c_str(), &freeToCaller, &total, nullptr))
        return std::nullopt;
    return DiskSpace{total.QuadPart, freeToCaller.QuadPart};
}

bool Win32DeviceHost::volumeAnswers(wchar_t letter)
{
    return GetVolumeInformationW(rootOf(letter).c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) != FALSE;
}

std::uint64_t Win32DeviceHost::clusterBytes(wchar_t letter)
{
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (!GetDiskFreeSpaceW(rootOf(letter).c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return 0;
    return static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
}

std::wstring Win32DeviceHost::fileSystemName(wchar_t letter)
{
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(rootOf(letter).c_str(), nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH + 1))
        return {};
    return name;
}

std::unique_ptr<DeviceChannel> Win32DeviceHost::openDevice(const std::wstring& devicePath)
{
    UniqueHandle disk(CreateFileW(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_NO_BUFFERING, nullptr));
    if (!disk)
        return nullptr;
    return std::make_unique<PassThroughChannel>(std::move(disk));
}

void Win32DeviceHost::dispatchWaitingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The quit belongs to the loop that owns the thread; hand it back untouched.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32DeviceHost::debugOutput(const std::wstring& line)
{
    OutputDebugStringW(line.c_str());
}

} // namespace yk
