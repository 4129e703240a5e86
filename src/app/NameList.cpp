#include "app/NameList.h"

#include "platform/Error.h"

namespace zelk {

Int16 NameList::upperBound() const {
    if (slots_.empty()) {
        throw makeError(ErrorNumber::SubscriptOutOfRange);
    }
    return Int16::from(static_cast<long long>(slots_.size()) - 1);
}

const std::string& NameList::at(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= slots_.size()) {
        throw makeError(ErrorNumber::SubscriptOutOfRange);
    }
    return slots_[static_cast<std::size_t>(index)];
}

void NameList::add(Int16& counter, std::string name) {
    counter.increment();
    const auto slot = static_cast<std::size_t>(counter.value());
    slots_.resize(slot + 1);
    slots_[slot] = std::move(name);
}

}  // namespace zelk
