// The texts of the progress and result dialogs, built from catalog words the caller loads.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "backup/RunState.h"

namespace yk {

// A byte count as "%.2f GB", "%.2f MB" or "%.2f KB", whichever is the largest unit of at least 1
// (KB also below 1 KB: 512 bytes read 0.50 KB).
std::wstring formatByteAmount(std::uint64_t bytes);

// The byte line: done and total joined by "/".
std::wstring byteLine(std::uint64_t done, std::uint64_t total);

// The bar's position: done / total × 100 formatted with one decimal, then its integer part (so 99.96
// counts as 100); 0 when total is 0.
int progressPercent(std::uint64_t done, std::uint64_t total);

// The files not finished yet, the one in progress included: total before the first file begins, then
// total − processed + 1 (never below 0).
std::int64_t remainingItems(const RunCounts& counts);

// "%s %d %s %s「%s」": verb, number, items word, "to" word, target folder name.
std::wstring progressLine(std::wstring_view verb, std::int64_t number, std::wstring_view items, std::wstring_view to,
                          std::wstring_view target);

// Japanese and Traditional Chinese join the words of a heading without a space.
bool joinsWordsWithoutSpace(int languageCode);

// The result heading: operation word and status word, "%s%s" or "%s %s" by language.
std::wstring resultHeading(std::wstring_view operation, std::wstring_view status, int languageCode);

// The message shown instead of the counts: "%s %s" in English, "%s%s" in Traditional Chinese and
// "%s\r\n%s" in Japanese, from the "No items to" words and the operation word.
std::wstring noItemsMessage(std::wstring_view noItemsTo, std::wstring_view operation, int languageCode);

// Files neither copied nor skipped: the failed ones and those never reached (never below 0).
std::int64_t undoneItems(const RunCounts& counts);

// True when the result dialog shows the no-items message instead of the two count lines.
bool showsNoItemsMessage(RunStatus status, const RunCounts& counts);

// The result picture: 1 to 3 for a backup, 4 to 6 for a restore, in the order complete, fail, cancel.
int resultPictureType(RunKind kind, RunStatus status);

// " %d ", the number of a count line with its spacing.
std::wstring countText(std::int64_t number);

} // namespace yk
