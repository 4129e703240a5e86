#include "core/NameList.h"

#include <algorithm>

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
    const std::size_t oldSize = slots_.size();
    slots_.resize(slot + 1);
    slots_[slot] = std::move(name);
    if (!indexed_) {
        return;
    }
    if (slot < oldSize) {
        rebuildIndex();  // a counter set back below the bound rewrote or cut the list
        return;
    }
    for (std::size_t gap = std::max<std::size_t>(oldSize, 1); gap <= slot; ++gap) {
        firstSlot_.insert(slots_[gap], static_cast<int>(gap));
    }
}

void NameList::clear() {
    slots_.clear();
    firstSlot_.clear();
    indexed_ = false;
}

void NameList::rebuildIndex() const {
    firstSlot_.clear();
    for (std::size_t i = 1; i < slots_.size(); ++i) {
        firstSlot_.insert(slots_[i], static_cast<int>(i));
    }
    indexed_ = true;
}

bool NameList::containsUpTo(std::string_view name, Int16 last) const {
    return containsUpTo(name, NameTable::hashOf(name), last);
}

bool NameList::containsIgnoringAsciiCase(std::string_view name) const {
    if (!indexed_) {
        rebuildIndex();
    }
    return firstSlot_.containsIgnoringAsciiCase(name);
}

void checkMissedSearch(Int16 last) {
    if (last.value() == Int16::kMax) {
        throw makeError(ErrorNumber::Overflow);
    }
}

}  // namespace zelk
