#include "update/HttpDownload.h"

#include <windows.h>
#include <wininet.h>

#include <utility>
#include <vector>

#include "base/ExecutablePath.h"
#include "base/Win32Handles.h"

namespace yk {

namespace {

constexpr DWORD kChunkSize = 10240;
constexpr DWORD kConnectTimeoutMs = 2000;
constexpr DWORD kConnectRetries = 1;
// A server that accepts and then says nothing is given up on after this long, for each send and each read.
constexpr DWORD kTransferTimeoutMs = 15000;
constexpr wchar_t kTemporarySuffix[] = L".yktmp";

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle = nullptr) : handle_(handle) {}
    ~InternetHandle()
    {
        if (handle_)
            InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_;
};

// A file under a temporary name that is deleted unless it was given its real name.
class PendingFile {
public:
    PendingFile(std::wstring temporary, std::wstring final)
        : temporary_(std::move(temporary)), final_(std::move(final)),
          file_(CreateFileW(temporary_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr))
    {
    }
    ~PendingFile()
    {
        file_.reset();
        if (!kept_)
            DeleteFileW(temporary_.c_str());
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    explicit operator bool() const { return static_cast<bool>(file_); }

    bool write(const std::uint8_t* bytes, DWORD count)
    {
        DWORD written = 0;
        return WriteFile(file_.get(), bytes, count, &written, nullptr) && written == count;
    }

    bool close()
    {
        const bool flushed = FlushFileBuffers(file_.get()) != FALSE;
        file_.reset();
        return flushed;
    }

    const std::wstring& temporaryPath() const { return temporary_; }

    bool keep()
    {
        kept_ =
                MoveFileExW(temporary_.c_str(), final_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        return kept_;
    }

private:
    std::wstring temporary_;
    std::wstring final_;
    UniqueHandle file_;
    bool kept_ = false;
};

// The server folder's name has spaces in it; a request line cannot.
std::wstring escapeSpaces(const std::wstring& url)
{
    std::wstring escaped;
    for (const wchar_t c : url) {
        if (c == L' ')
            escaped += L"%20";
        else
            escaped += c;
    }
    return escaped;
}

struct UrlParts {
    bool secure = false;
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;
};

std::optional<UrlParts> splitUrl(const std::wstring& url)
{
    std::vector<wchar_t> host(256), path(2048), extra(1024);
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host.data();
    parts.dwHostNameLength = static_cast<DWORD>(host.size());
    parts.lpszUrlPath = path.data();
    parts.dwUrlPathLength = static_cast<DWORD>(path.size());
    parts.lpszExtraInfo = extra.data();
    parts.dwExtraInfoLength = static_cast<DWORD>(extra.size());
    if (!InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts))
        return std::nullopt;
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return std::nullopt;
    if (parts.dwHostNameLength == 0)
        return std::nullopt;
    UrlParts result;
    result.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    result.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    result.port = parts.nPort;
    result.object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    result.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (result.object.empty())
        result.object = L"/";
    return result;
}

void setOption(HINTERNET handle, DWORD option, DWORD value)
{
    InternetSetOptionW(handle, option, &value, sizeof value);
}

// Not every implementation hands a session's time-outs down to its connections and requests: each handle
// gets them.
void setTransferTimeouts(HINTERNET handle)
{
    setOption(handle, INTERNET_OPTION_SEND_TIMEOUT, kTransferTimeoutMs);
    setOption(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, kTransferTimeoutMs);
    setOption(handle, INTERNET_OPTION_DATA_SEND_TIMEOUT, kTransferTimeoutMs);
    setOption(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, kTransferTimeoutMs);
}

std::optional<DWORD> statusCode(HINTERNET request)
{
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return std::nullopt;
    return status;
}

// The announced length; nothing when there is none or it is not a plain decimal number.
std::optional<std::uint64_t> contentLength(HINTERNET request)
{
    wchar_t text[32] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (!HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr))
        return std::nullopt;
    std::uint64_t value = 0;
    const wchar_t* c = text;
    if (*c == L'\0')
        return std::nullopt;
    for (; *c; ++c) {
        if (*c < L'0' || *c > L'9' || value > (UINT64_MAX - 9) / 10)
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(*c - L'0');
    }
    return value;
}

} // namespace

bool downloadFile(const std::wstring& url, const std::wstring& localPath, const DownloadOptions& options)
{
    const auto started = std::chrono::steady_clock::now();
    const auto overdue = [&] {
        return options.deadline && std::chrono::steady_clock::now() - started > *options.deadline;
    };
    const auto cancelled = [&] { return options.cancel && options.cancel->load(); };

    const auto parts = splitUrl(escapeSpaces(url));
    if (!parts)
        return false;
    InternetHandle session(
        InternetOpenW(applicationName().c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session)
        return false;
    setOption(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs);
    setOption(session.get(), INTERNET_OPTION_CONNECT_RETRIES, kConnectRetries);
    setTransferTimeouts(session.get());

    InternetHandle connection(InternetConnectW(session.get(), parts->host.c_str(), parts->port, nullptr, nullptr,
                                               INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection)
        return false;
    setTransferTimeouts(connection.get());
    // Certificate problems are never waived; a redirect is an answer other than 200, not a new address.
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_DONT_CACHE | INTERNET_FLAG_NO_AUTO_REDIRECT |
                  INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;
    if (parts->secure)
        flags |= INTERNET_FLAG_SECURE;
    InternetHandle request(
        HttpOpenRequestW(connection.get(), L"GET", parts->object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!request)
        return false;
    setTransferTimeouts(request.get());
    if (!HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0))
        return false;
    if (statusCode(request.get()) != 200u)
        return false;
    const auto length = contentLength(request.get());
    if (length && *length > options.maxBytes)
        return false;

    PendingFile file(localPath + kTemporarySuffix, localPath);
    if (!file)
        return false;
    std::vector<std::uint8_t> chunk(kChunkSize);
    std::uint64_t received = 0;
    for (;;) {
        if (cancelled() || overdue())
            return false;
        DWORD read = 0;
        if (!InternetReadFile(request.get(), chunk.data(), kChunkSize, &read))
            return false;
        if (read == 0)
            break;
        received += read;
        if (received > options.maxBytes || (length && received > *length))
            return false;
        if (!file.write(chunk.data(), read))
            return false;
        if (options.progress)
            options.progress(received, length);
    }
    // A connection that closed early is a truncated body, not a small file.
    if (length && received != *length)
        return false;
    if (!file.close())
        return false;
    if (options.accept && !options.accept(file.temporaryPath()))
        return false;
    return file.keep();
}

} // namespace yk
