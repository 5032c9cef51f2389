// Owners for the kernel and GDI handles the program opens.
#pragma once

#include <windows.h>

#include <utility>

namespace yk {

// A kernel handle closed with CloseHandle; both null and INVALID_HANDLE_VALUE mean "none".
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    HANDLE release() { return std::exchange(handle_, nullptr); }
    void reset(HANDLE handle = nullptr)
    {
        if (handle_)
            CloseHandle(handle_);
        handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

private:
    HANDLE handle_ = nullptr;
};

// A GDI object (brush, font, bitmap, pen, region) deleted with DeleteObject.
template <typename T> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T object) : object_(object) {}
    GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.object_, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { reset(); }

    T get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    T release() { return std::exchange(object_, nullptr); }
    void reset(T object = nullptr)
    {
        if (object_)
            DeleteObject(object_);
        object_ = object;
    }

private:
    T object_ = nullptr;
};

using UniqueBrush = GdiObject<HBRUSH>;
using UniqueFont = GdiObject<HFONT>;
using UniqueBitmap = GdiObject<HBITMAP>;

// An open registry key, closed with RegCloseKey.
class UniqueRegistryKey {
public:
    UniqueRegistryKey() = default;
    explicit UniqueRegistryKey(HKEY key) : key_(key) {}
    UniqueRegistryKey(UniqueRegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    UniqueRegistryKey& operator=(UniqueRegistryKey&& other) noexcept
    {
        if (this != &other) {
            if (key_)
                RegCloseKey(key_);
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    UniqueRegistryKey(const UniqueRegistryKey&) = delete;
    UniqueRegistryKey& operator=(const UniqueRegistryKey&) = delete;
    ~UniqueRegistryKey()
    {
        if (key_)
            RegCloseKey(key_);
    }
    HKEY get() const { return key_; }
    // For the functions that open a key into a pointer; the key held before is closed first.
    HKEY* put()
    {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
        return &key_;
    }

private:
    HKEY key_ = nullptr;
};

// A memory device context, deleted with DeleteDC.
class UniqueMemoryDC {
public:
    explicit UniqueMemoryDC(HDC dc) : dc_(dc) {}
    UniqueMemoryDC(const UniqueMemoryDC&) = delete;
    UniqueMemoryDC& operator=(const UniqueMemoryDC&) = delete;
    ~UniqueMemoryDC()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

} // namespace yk
