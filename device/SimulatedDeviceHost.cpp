#include "device/SimulatedDeviceHost.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <windows.h>
#include <dbt.h>
#include <winioctl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "device/StorageDescriptor.h"

namespace yk {

namespace {

// The simulated disk's place in the storage stack: a disk number no other disk of a test machine has.
constexpr StorageDeviceNumber kSimulatedDisk{FILE_DEVICE_DISK, 9, 0};
constexpr StorageDeviceNumber kSimulatedVolume{FILE_DEVICE_DISK, 9, 1};

struct WinsockSession {
    WinsockSession()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockSession() { WSACleanup(); }
};

SOCKET connectTo(const std::string& host, unsigned short port)
{
    static WinsockSession session;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    inet_pton(AF_INET, host.c_str(), &address.sin_addr);
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    const BOOL noDelay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    return s;
}

bool sendLine(SOCKET s, const std::string& line)
{
    const std::string data = line + "\n";
    std::size_t sent = 0;
    while (sent < data.size()) {
        const int n = send(s, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::string> receiveLine(SOCKET s)
{
    std::string line;
    char c;
    while (true) {
        const int n = recv(s, &c, 1, 0);
        if (n <= 0)
            return std::nullopt;
        if (c == '\n')
            return line;
        line.push_back(c);
    }
}

std::string hex(std::span<const std::uint8_t> bytes)
{
    std::string text;
    char pair[3];
    for (const auto b : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", b);
        text += pair;
    }
    return text;
}

bool jsonFlag(const std::string& json, const std::string& name)
{
    return json.find("\"" + name + "\": true") != std::string::npos;
}

std::string jsonString(const std::string& json, const std::string& name)
{
    const std::string key = "\"" + name + "\": \"";
    const auto at = json.find(key);
    if (at == std::string::npos)
        return {};
    const auto end = json.find('"', at + key.size());
    return json.substr(at + key.size(), end - at - key.size());
}

// Device notices carry a pointer, so they cannot be posted: like the system, send them to every top-level
// window of this process and let each be handled on its own thread.
void notifyWindows(unsigned event)
{
    struct Notice {
        unsigned event;
        DEV_BROADCAST_HDR header;
    } notice{event, {sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_DEVICEINTERFACE, 0}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId())
                return TRUE;
            auto* n = reinterpret_cast<Notice*>(param);
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_DEVICECHANGE, n->event, reinterpret_cast<LPARAM>(&n->header),
                                SMTO_ABORTIFHUNG, 5000, &result);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&notice));
}

class SimulatedChannel final : public DeviceChannel {
public:
    explicit SimulatedChannel(SimulatorLink& link) : link_(link) {}

    std::optional<std::uint8_t> exchange(const ScsiCommand& command, std::span<std::uint8_t> data) override
    {
        const auto answer = link_.request("CMD " + hex(command.block) + " " + std::to_string(data.size()));
        if (!answer || answer->rfind("STATUS ", 0) != 0)
            return std::nullopt;
        std::istringstream words(answer->substr(7));
        int status = 0;
        std::string reply;
        words >> status >> reply;
        if (command.dataIn && reply != "-") {
            for (std::size_t i = 0; i < data.size() && 2 * i + 1 < reply.size(); ++i)
                data[i] = static_cast<std::uint8_t>(std::stoi(reply.substr(2 * i, 2), nullptr, 16));
        }
        return static_cast<std::uint8_t>(status);
    }

private:
    SimulatorLink& link_;
};

} // namespace

SimulatorLink::SimulatorLink(std::string host, unsigned short port)
    : host_(std::move(host)), port_(port), socket_(INVALID_SOCKET)
{
}

SimulatorLink::~SimulatorLink()
{
    disconnect();
}

bool SimulatorLink::connectIfNeeded()
{
    if (socket_ == INVALID_SOCKET)
        socket_ = connectTo(host_, port_);
    return socket_ != INVALID_SOCKET;
}

void SimulatorLink::disconnect()
{
    if (socket_ != INVALID_SOCKET)
        closesocket(socket_);
    socket_ = INVALID_SOCKET;
}

std::optional<std::string> SimulatorLink::request(const std::string& line)
{
    const std::lock_guard lock(mutex_);
    // One reconnect covers a server that was restarted since the last request.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!connectIfNeeded())
            return std::nullopt;
        if (sendLine(socket_, line)) {
            if (auto answer = receiveLine(socket_))
                return answer;
        }
        disconnect();
    }
    return std::nullopt;
}

bool SimulatorLink::control(const std::string& change)
{
    const auto answer = request("SET " + change);
    return answer && *answer == "OK";
}

const std::wstring SimulatedDeviceHost::kDevicePath =
    L"\\\\?\\usbstor#disk&ven_yrrwkeep&prod_sd_card&rev_1.00#sim0001&0#{53f56307-b6bf-11d0-94f2-00a0c91efb8b}";

SimulatedDeviceHost::SimulatedDeviceHost(const std::string& address)
    : link_(address.substr(0, address.find(':')),
            static_cast<unsigned short>(std::atoi(address.substr(address.find(':') + 1).c_str()))),
      eventSocket_(INVALID_SOCKET)
{
    notifier_ = std::thread([this] { forwardNotifications(); });
}

SimulatedDeviceHost::~SimulatedDeviceHost()
{
    stopping_ = true;
    const auto s = eventSocket_.exchange(INVALID_SOCKET);
    if (s != INVALID_SOCKET)
        closesocket(s);
    notifier_.join();
}

SimulatedDeviceHost::Presence SimulatedDeviceHost::presence()
{
    const auto info = link_.request("INFO");
    if (!info)
        return {};
    const std::string letter = jsonString(*info, "letter");
    return {jsonFlag(*info, "plugged"), letter.empty() ? L'\0' : static_cast<wchar_t>(letter[0])};
}

bool SimulatedDeviceHost::isSimulatedVolume(wchar_t letter)
{
    const Presence now = presence();
    return now.plugged && now.letter == letter;
}

std::optional<std::vector<DiskInterface>> SimulatedDeviceHost::diskInterfaces()
{
    auto interfaces = real_.diskInterfaces().value_or(std::vector<DiskInterface>{});
    if (presence().plugged)
        interfaces.push_back(DiskInterface{kDevicePath, L"USBSTOR\\DISK&VEN_YRRWKEEP&PROD_SD_CARD\\SIM0001&0",
                                           L"USBSTOR\\Disk", L"USB\\VID_3E7A&PID_0A01\\SIM0001", true});
    return interfaces;
}

std::uint32_t SimulatedDeviceHost::logicalDrives()
{
    // The reader's letter is there while the device is plugged in, card attached or not, as Windows lists a
    // card reader without a medium; only its volume comes and goes with the card. A Wine process does not see
    // drive letters that appear after it started in GetLogicalDrives: the letter is reported from the state.
    std::uint32_t drives = real_.logicalDrives();
    const auto info = link_.request("INFO");
    const std::string letter = info ? jsonString(*info, "letter") : std::string();
    if (letter.size() == 1 && letter[0] >= 'A' && letter[0] <= 'Z') {
        const std::uint32_t bit = 1u << (letter[0] - 'A');
        drives = jsonFlag(*info, "plugged") ? (drives | bit) : (drives & ~bit);
    }
    return drives;
}

std::optional<std::vector<std::uint8_t>> SimulatedDeviceHost::volumeDescriptor(wchar_t letter)
{
    if (isSimulatedVolume(letter))
        return buildStorageDescriptor({"YrrwKeep", "SD Card Reader"});
    return real_.volumeDescriptor(letter);
}

std::optional<StorageDeviceNumber> SimulatedDeviceHost::volumeDeviceNumber(wchar_t letter)
{
    if (isSimulatedVolume(letter))
        return kSimulatedVolume;
    return real_.volumeDeviceNumber(letter);
}

std::optional<StorageDeviceNumber> SimulatedDeviceHost::interfaceDeviceNumber(const std::wstring& devicePath)
{
    if (devicePath == kDevicePath)
        return presence().plugged ? std::optional(kSimulatedDisk) : std::nullopt;
    return real_.interfaceDeviceNumber(devicePath);
}

std::optional<std::uint64_t> SimulatedDeviceHost::volumeDiskSize(wchar_t letter)
{
    if (isSimulatedVolume(letter)) {
        if (const auto space = real_.diskSpace(letter))
            return space->totalBytes;
        return std::nullopt;
    }
    return real_.volumeDiskSize(letter);
}

std::optional<DiskSpace> SimulatedDeviceHost::diskSpace(wchar_t letter)
{
    return real_.diskSpace(letter);
}

bool SimulatedDeviceHost::volumeAnswers(wchar_t letter)
{
    return real_.volumeAnswers(letter);
}

std::uint64_t SimulatedDeviceHost::clusterBytes(wchar_t letter)
{
    return real_.clusterBytes(letter);
}

std::wstring SimulatedDeviceHost::fileSystemName(wchar_t letter)
{
    return real_.fileSystemName(letter);
}

std::unique_ptr<DeviceChannel> SimulatedDeviceHost::openDevice(const std::wstring& devicePath)
{
    if (devicePath != kDevicePath)
        return real_.openDevice(devicePath);
    const auto answer = link_.request("OPEN");
    if (!answer || *answer != "OK")
        return nullptr;
    return std::make_unique<SimulatedChannel>(link_);
}

void SimulatedDeviceHost::dispatchWaitingMessages()
{
    real_.dispatchWaitingMessages();
}

void SimulatedDeviceHost::debugOutput(const std::wstring& line)
{
    real_.debugOutput(line);
}

void SimulatedDeviceHost::forwardNotifications()
{
    // Windows tells every top-level window about arriving and departing devices and volumes; the
    // simulator's notices reach this process's windows the same way.
    while (!stopping_) {
        const SOCKET s = connectTo(link_.host(), link_.port());
        if (s == INVALID_SOCKET) {
            Sleep(500);
            continue;
        }
        eventSocket_ = s;
        if (stopping_ || !sendLine(s, "SUBSCRIBE") || !receiveLine(s)) {
            if (eventSocket_.exchange(INVALID_SOCKET) != INVALID_SOCKET)
                closesocket(s);
            continue;
        }
        receivingNotices_ = true;
        while (const auto line = receiveLine(s)) {
            unsigned event = 0;
            if (std::sscanf(line->c_str(), "EVENT %u", &event) != 1)
                continue;
            notifyWindows(event);
        }
        receivingNotices_ = false;
        if (eventSocket_.exchange(INVALID_SOCKET) != INVALID_SOCKET)
            closesocket(s);
    }
}

std::optional<std::string> simulatorAddressFromEnvironment()
{
    const char* address = std::getenv("YARROWKEEP_SIMULATOR");
    if (!address || !*address || !std::strchr(address, ':'))
        return std::nullopt;
    return std::string(address);
}

} // namespace yk
