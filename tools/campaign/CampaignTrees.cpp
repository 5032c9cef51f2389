#include "CampaignTrees.h"

#include <algorithm>
#include <cwctype>
#include <set>

#include "secure/EncryptedFile.h"
#include "support/TestFiles.h"

namespace yk::campaign {

Tree readTree(const std::wstring& folder)
{
    const auto temporaries = test::temporariesBelow(folder);
    const std::set<std::wstring> skipped(temporaries.begin(), temporaries.end());
    Tree tree;
    for (const auto& relative : test::filesBelow(folder))
        if (!skipped.count(relative))
            tree[relative] = test::readFile(folder + L"\\" + relative);
    return tree;
}

namespace {

bool endsWithNoCase(const std::wstring& text, std::wstring_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                      [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); });
}

// "a (12)" -> "a"; anything else unchanged.
std::wstring withoutNumber(const std::wstring& stem)
{
    if (stem.size() < 4 || stem.back() != L')')
        return stem;
    const auto open = stem.rfind(L" (");
    if (open == std::wstring::npos || open + 3 > stem.size() - 1)
        return stem;
    const std::wstring digits = stem.substr(open + 2, stem.size() - open - 3);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return stem;
    return stem.substr(0, open);
}

} // namespace

std::wstring versionBase(const std::wstring& relative, bool encrypted)
{
    std::wstring path = relative;
    if (encrypted && endsWithNoCase(path, kEncryptedExtension))
        path.resize(path.size() - kEncryptedExtension.size());
    const auto slash = path.rfind(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? L"" : path.substr(0, slash + 1);
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    // Windows drops trailing dots when it makes a file: "b (2)." is stored as "b (2)".
    while (!name.empty() && name.back() == L'.')
        name.pop_back();
    const auto dot = name.rfind(L'.');
    if (dot == std::wstring::npos)
        return folder + withoutNumber(name);
    return folder + withoutNumber(name.substr(0, dot)) + name.substr(dot);
}

std::optional<Bytes> decryptWhole(const Bytes& stored, const PasswordKey& key)
{
    if (stored.size() < kEncryptedHeaderSize)
        return std::nullopt;
    const auto plainSize = readEncryptedHeader(std::span(stored).first(kEncryptedHeaderSize), key);
    const std::uint64_t bodySize = stored.size() - kEncryptedHeaderSize;
    if (!plainSize || !bodyHoldsPlainSize(bodySize, *plainSize) || *encryptedBodySize(*plainSize) != bodySize)
        return std::nullopt;
    Bytes body(stored.begin() + kEncryptedHeaderSize, stored.end());
    const auto toKeep = decryptChunk(body, body.size(), key, *plainSize);
    if (!toKeep || *toKeep != *plainSize)
        return std::nullopt;
    body.resize(*toKeep);
    return body;
}

bool holdsVersion(const History& history, const std::wstring& plainPath, const Bytes& bytes)
{
    const auto found = history.find(plainPath);
    return found != history.end() && std::find(found->second.begin(), found->second.end(), bytes) != found->second.end();
}

} // namespace yk::campaign
