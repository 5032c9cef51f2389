// What the fault campaign knows about the files of a case: the trees it reads back, the versions each PC
// file has had, and the plain bytes behind a stored name.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "secure/PasswordKey.h"

namespace yk::campaign {

using Bytes = std::vector<std::uint8_t>;
// Relative path ("sub\\photo (2).jpg") to bytes.
using Tree = std::map<std::wstring, Bytes>;
// Relative plain path to every content the file has had, oldest first.
using History = std::map<std::wstring, std::vector<Bytes>>;

// Every file below `folder` under a real name (temporaries of interrupted copies left out).
Tree readTree(const std::wstring& folder);

// The plain path a stored name keeps a version of: "sub\\a (3).txt.vltrin" -> "sub\\a.txt" (encrypted),
// "b (2)" -> "b". A name that is no numbered version is its own plain path.
std::wstring versionBase(const std::wstring& relative, bool encrypted);

// The plain bytes of a whole encrypted file, or empty when its header does not open with the key or its
// body does not hold every byte the header announces.
std::optional<Bytes> decryptWhole(const Bytes& stored, const PasswordKey& key);

bool holdsVersion(const History& history, const std::wstring& plainPath, const Bytes& bytes);

} // namespace yk::campaign
