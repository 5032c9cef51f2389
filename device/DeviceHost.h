// The only door to the device and its volumes. One implementation calls the platform, one simulates the
// accessory, and tests script their own.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace yk {

// One present disk device interface with the identifiers discovery reads from it. `readable` is false
// when any of them could not be read; such an interface is passed over.
struct DiskInterface {
    std::wstring devicePath;
    std::wstring instanceId;
    std::wstring compatibleIds; // the first entry of the compatible ids
    std::wstring parentId;      // the device id of the parent node (the USB device)
    bool readable = true;
};

// What the storage stack answers for "which disk is this" (type and number of the physical disk).
struct StorageDeviceNumber {
    std::uint32_t deviceType = 0;
    std::uint32_t deviceNumber = 0;
    std::uint32_t partitionNumber = 0;
};

struct DiskSpace {
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytesToCaller = 0;
};

// One vendor command as it travels to the disk: the 16-byte command block and which way data flows.
struct ScsiCommand {
    std::array<std::uint8_t, 16> block{};
    bool dataIn = false; // true: the device sends data into the caller's buffer; false: no data
};

// An open channel to the disk behind a device interface path, closed when destroyed.
class DeviceChannel {
public:
    virtual ~DeviceChannel() = default;
    // One pass-through exchange; the SCSI status byte, or empty when the exchange could not be made.
    // For a data-in command the reply lands in `data`.
    virtual std::optional<std::uint8_t> exchange(const ScsiCommand& command, std::span<std::uint8_t> data) = 0;
};

class DeviceHost {
public:
    virtual ~DeviceHost() = default;

    // Present disk interfaces in enumeration order; empty when the set of devices cannot be opened.
    virtual std::optional<std::vector<DiskInterface>> diskInterfaces() = 0;

    // Bit 0 is drive A.
    virtual std::uint32_t logicalDrives() = 0;

    // The raw storage device descriptor of the volume "\\?\X:"; empty when the volume cannot be
    // opened or does not answer the query.
    virtual std::optional<std::vector<std::uint8_t>> volumeDescriptor(wchar_t letter) = 0;

    virtual std::optional<StorageDeviceNumber> volumeDeviceNumber(wchar_t letter) = 0;
    virtual std::optional<StorageDeviceNumber> interfaceDeviceNumber(const std::wstring& devicePath) = 0;

    // Size of the disk behind a volume in bytes (from its geometry).
    virtual std::optional<std::uint64_t> volumeDiskSize(wchar_t letter) = 0;

    virtual std::optional<DiskSpace> diskSpace(wchar_t letter) = 0;

    // Whether the file system of the volume at that letter answers (its root can be queried).
    virtual bool volumeAnswers(wchar_t letter) = 0;

    // The name of that volume's file system ("FAT32", "exFAT", "NTFS"); empty when it does not answer.
    virtual std::wstring fileSystemName(wchar_t letter) = 0;

    // The size of that volume's allocation unit in bytes; 0 when it does not say.
    virtual std::uint64_t clusterBytes(wchar_t letter) = 0;

    // Opens the disk for vendor commands: read and write, no sharing, unbuffered. Null when it fails.
    virtual std::unique_ptr<DeviceChannel> openDevice(const std::wstring& devicePath) = 0;

    // Handles every window message waiting on this thread, so the interface stays alive during long work.
    virtual void dispatchWaitingMessages() = 0;

    virtual void debugOutput(const std::wstring& line) = 0;
};

} // namespace yk
