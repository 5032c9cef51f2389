#include "backup/ProgressText.h"

#include <cstdio>
#include <cstdlib>

#include "base/AsciiText.h"
#include "base/LanguageCode.h"

namespace yk {

namespace {

} // namespace

std::wstring formatByteAmount(std::uint64_t bytes)
{
    const double kb = static_cast<double>(bytes) / 1024.0;
    const double mb = kb / 1024.0;
    const double gb = mb / 1024.0;
    char text[64];
    if (gb >= 1.0)
        std::snprintf(text, sizeof text, "%.2f GB", gb);
    else if (mb >= 1.0)
        std::snprintf(text, sizeof text, "%.2f MB", mb);
    else
        std::snprintf(text, sizeof text, "%.2f KB", kb);
    return widenAscii(text);
}

std::wstring byteLine(std::uint64_t done, std::uint64_t total)
{
    return formatByteAmount(done) + L"/" + formatByteAmount(total);
}

int progressPercent(std::uint64_t done, std::uint64_t total)
{
    if (total == 0)
        return 0;
    char text[64];
    std::snprintf(text, sizeof text, "%3.1f", static_cast<double>(done) / static_cast<double>(total) * 100.0);
    return static_cast<int>(std::strtol(text, nullptr, 10));
}

std::int64_t remainingItems(const RunCounts& counts)
{
    if (counts.processed == 0)
        return counts.total;
    const std::int64_t remaining = std::int64_t{counts.total} - counts.processed + 1;
    return remaining < 0 ? 0 : remaining;
}

std::wstring progressLine(std::wstring_view verb, std::int64_t number, std::wstring_view items, std::wstring_view to,
                          std::wstring_view target)
{
    std::wstring line(verb);
    line.append(1, L' ').append(std::to_wstring(number)).append(1, L' ').append(items).append(1, L' ').append(to);
    line.append(L"\u300C").append(target).append(L"\u300D");
    return line;
}

bool joinsWordsWithoutSpace(int languageCode)
{
    return languageCode == kLanguageJapanese || languageCode == kLanguageChineseTaiwan ||
           languageCode == kLanguageChineseOther;
}

std::wstring resultHeading(std::wstring_view operation, std::wstring_view status, int languageCode)
{
    std::wstring heading(operation);
    if (!joinsWordsWithoutSpace(languageCode))
        heading.push_back(L' ');
    return heading.append(status);
}

std::wstring noItemsMessage(std::wstring_view noItemsTo, std::wstring_view operation, int languageCode)
{
    std::wstring message(noItemsTo);
    if (languageCode == kLanguageJapanese)
        message.append(L"\r\n");
    else if (!joinsWordsWithoutSpace(languageCode))
        message.push_back(L' ');
    return message.append(operation);
}

std::int64_t undoneItems(const RunCounts& counts)
{
    const std::int64_t undone = std::int64_t{counts.total} - counts.skipped - counts.copied;
    return undone < 0 ? 0 : undone;
}

bool showsNoItemsMessage(RunStatus status, const RunCounts& counts)
{
    return status == RunStatus::Complete && counts.copied == 0 && undoneItems(counts) == 0;
}

int resultPictureType(RunKind kind, RunStatus status)
{
    return (isRestoreKind(kind) ? 4 : 1) + static_cast<int>(status);
}

std::wstring countText(std::int64_t number)
{
    return L" " + std::to_wstring(number) + L" ";
}

} // namespace yk
