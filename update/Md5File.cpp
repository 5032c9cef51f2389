#include "update/Md5File.h"

#include <windows.h>
#include <wincrypt.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "base/Win32Handles.h"
#include "update/DownloadProgress.h"

namespace yk {

namespace {

constexpr DWORD kChunkSize = 4096;

class CryptoContext {
public:
    CryptoContext()
    {
        if (CryptAcquireContextW(&provider_, nullptr, MS_ENHANCED_PROV_W, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
            return;
        provider_ = 0;
        if (GetLastError() == static_cast<DWORD>(NTE_BAD_KEYSET) &&
            !CryptAcquireContextW(&provider_, nullptr, MS_ENHANCED_PROV_W, PROV_RSA_FULL, 0))
            provider_ = 0;
    }
    ~CryptoContext()
    {
        if (provider_)
            CryptReleaseContext(provider_, 0);
    }
    CryptoContext(const CryptoContext&) = delete;
    CryptoContext& operator=(const CryptoContext&) = delete;

    HCRYPTPROV get() const { return provider_; }

private:
    HCRYPTPROV provider_ = 0;
};

class Md5Hash {
public:
    explicit Md5Hash(HCRYPTPROV provider)
    {
        if (!CryptCreateHash(provider, CALG_MD5, 0, 0, &hash_))
            hash_ = 0;
    }
    ~Md5Hash()
    {
        if (hash_)
            CryptDestroyHash(hash_);
    }
    Md5Hash(const Md5Hash&) = delete;
    Md5Hash& operator=(const Md5Hash&) = delete;

    explicit operator bool() const { return hash_ != 0; }
    bool add(const std::uint8_t* bytes, DWORD count) { return CryptHashData(hash_, bytes, count, 0) != FALSE; }
    std::optional<std::array<std::uint8_t, 16>> value()
    {
        std::array<std::uint8_t, 16> digest{};
        DWORD size = static_cast<DWORD>(digest.size());
        if (!CryptGetHashParam(hash_, HP_HASHVAL, digest.data(), &size, 0) || size != digest.size())
            return std::nullopt;
        return digest;
    }

private:
    HCRYPTHASH hash_ = 0;
};

} // namespace

std::optional<std::string> md5OfFile(const std::wstring& path)
{
    CryptoContext context;
    if (!context.get()) {
        std::fputs("Error: Could not start crypto library.\n\n", stdout);
        return std::nullopt;
    }
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return std::nullopt;
    Md5Hash hash(context.get());
    if (!hash)
        return std::nullopt;
    std::vector<std::uint8_t> chunk(kChunkSize);
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), chunk.data(), kChunkSize, &read, nullptr))
            return std::nullopt; // a read error part way never yields a digest that could match
        if (read == 0)
            break;
        if (!hash.add(chunk.data(), read))
            return std::nullopt;
    }
    const auto digest = hash.value();
    if (!digest)
        return std::nullopt;
    return md5Text(*digest);
}

} // namespace yk
