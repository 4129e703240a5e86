#include "core/Int16.h"

#include "platform/Error.h"

namespace zelk {

Int16 Int16::from(long long value) {
    if (value < INT16_MIN || value > INT16_MAX) {
        throw makeError(ErrorNumber::Overflow);
    }
    return Int16(static_cast<std::int16_t>(value));
}

void Int16::increment() {
    if (value_ == kMax) {
        throw makeError(ErrorNumber::Overflow);
    }
    ++value_;
}

}  // namespace zelk
