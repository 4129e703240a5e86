#pragma once

#include <string>
#include <vector>

#include "app/Int16.h"

namespace zelk {

// A growable array of names indexed from 0. It starts with no slots at all; names are added
// at slot counter + 1, so slot 0 is never written and stays empty. Asking an empty list for
// its upper bound, or reading above the bound, is a subscript-out-of-range error.
class NameList {
public:
    bool hasSlots() const { return !slots_.empty(); }

    // Index of the highest slot.
    Int16 upperBound() const;

    // The name in a slot; slots created by a resize that no add wrote hold "".
    const std::string& at(int index) const;

    // Steps the counter (an overflow at 32767 changes neither counter nor list), resizes the
    // list to slots 0..counter and stores the name in the last slot.
    void add(Int16& counter, std::string name);

    // Back to no slots at all.
    void clear() { slots_.clear(); }

private:
    std::vector<std::string> slots_;
};

}  // namespace zelk
