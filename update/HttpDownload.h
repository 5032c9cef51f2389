// One HTTP or HTTPS GET written to a local file, through the platform's internet functions.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace yk {

struct DownloadOptions {
    // A body larger than this (announced or received) fails the download.
    std::uint64_t maxBytes = UINT64_MAX;
    // The whole transfer must end within this time; a server that trickles is not waited for for ever.
    std::optional<std::chrono::milliseconds> deadline;
    // Called after each chunk is written: bytes so far and the announced length, when there is one.
    std::function<void(std::uint64_t received, std::optional<std::uint64_t> contentLength)> progress;
    // Set from another thread to stop the transfer at the next chunk.
    const std::atomic<bool>* cancel = nullptr;
    // Asked about the complete body, still under its temporary name: false keeps it from the local path.
    std::function<bool(const std::wstring& temporaryPath)> accept;
};

// True when the server answered 200 and the whole body (all of the announced length, when one was announced)
// was received and accepted. The body is written under a temporary name beside the local path and takes that name only
// when it is complete; a failed or cancelled transfer leaves no file behind and an earlier file as it was.
// Certificate errors are never ignored, and redirects are not followed.
bool downloadFile(const std::wstring& url, const std::wstring& localPath, const DownloadOptions& options = {});

} // namespace yk
