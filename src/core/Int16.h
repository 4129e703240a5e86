#pragma once

#include <cstdint>

namespace zelk {

// A signed 16-bit counter or loop index. Stepping past 32767 is an overflow error and
// leaves the value unchanged.
class Int16 {
public:
    static constexpr int kMax = INT16_MAX;

    constexpr Int16() = default;
    constexpr Int16(std::int16_t value) : value_(value) {}

    // Converts a wider number; anything outside -32768..32767 is an overflow error.
    static Int16 from(long long value);

    constexpr int value() const { return value_; }
    constexpr operator int() const { return value_; }

    // Adds 1, or throws the overflow error without changing the value.
    void increment();

private:
    std::int16_t value_ = 0;
};

}  // namespace zelk
