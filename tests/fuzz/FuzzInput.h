// Taking fixed-size values from the front of a fuzzer's input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace yk {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

    // Missing bytes read as zero, so every input is usable.
    template <typename T> T take()
    {
        T value{};
        const std::size_t count = std::min(sizeof value, rest_.size());
        std::memcpy(&value, rest_.data(), count);
        rest_ = rest_.subspan(count);
        return value;
    }

    void takeInto(std::span<std::uint8_t> out)
    {
        const std::size_t count = std::min(out.size(), rest_.size());
        std::memcpy(out.data(), rest_.data(), count);
        rest_ = rest_.subspan(count);
    }

    std::span<const std::uint8_t> rest() const { return rest_; }

private:
    std::span<const std::uint8_t> rest_;
};

} // namespace yk
