#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Int16.h"
#include "core/NameTable.h"

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
    void clear();

    // True when one of slots 1..last holds exactly this name, as a 16-bit loop over the slots
    // would find it: when the name is not found and last is 32767, stepping the loop index
    // past 32767 is an overflow error. Answered from an index, not by walking the slots.
    bool containsUpTo(std::string_view name, Int16 last) const;
    // The same for a name whose NameTable::hashOf is known.
    bool containsUpTo(std::string_view name, std::size_t hash, Int16 last) const;
    // True when one of slots 1 and above holds the name in some spelling that differs at most
    // in ASCII case.
    bool containsIgnoringAsciiCase(std::string_view name) const;
    // Starts fetching what a search for a name of this hash will read, so that the search can
    // follow a little later without waiting for memory.
    void prefetch(std::size_t hash) const { firstSlot_.prefetch(hash); }

private:
    void rebuildIndex() const;

    std::vector<std::string> slots_;
    // Each name held in slots 1 and above, with the lowest slot that holds it; made on the
    // first search, since most lists are never searched, and kept up to date from then on.
    mutable NameTable firstSlot_;
    mutable bool indexed_ = false;
};

// The same 16-bit loop rule for a search answered by some other index: a search over slots
// 1..last that did not find its name overflows when last is 32767.
void checkMissedSearch(Int16 last);

// In the header: a Scan asks it for every gauge line of every panel.
inline bool NameList::containsUpTo(std::string_view name, std::size_t hash, Int16 last) const {
    if (!indexed_) {
        rebuildIndex();
    }
    const std::optional<int> slot = firstSlot_.find(name, hash);
    if (slot && *slot <= last.value()) {
        return true;
    }
    checkMissedSearch(last);
    return false;
}

}  // namespace zelk
