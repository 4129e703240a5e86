#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelk {

// A set of names, each with a number, in a flat table with open addressing. A bucket holds
// part of the name's hash and where the name is copied in a compact arena, so that a lookup
// touches two small arrays instead of chasing one node per name: that matters when a Scan
// looks up every gauge reference of every panel and the table outgrows the processor's cache.
// Names are exact, but their hash ignores ASCII case, so that the same table also answers
// whether a name is there in any case.
class NameTable {
public:
    static std::size_t hashOf(std::string_view name);

    // The number stored with the name, or nothing when the name is not there.
    std::optional<int> find(std::string_view name) const { return find(name, hashOf(name)); }
    std::optional<int> find(std::string_view name, std::size_t hash) const;
    // Whether the name is there in some spelling that differs at most in ASCII case.
    bool containsIgnoringAsciiCase(std::string_view name) const;
    // Stores the name with the number unless the name is there already; true when stored.
    bool insert(std::string_view name, int number);
    // Starts loading the bucket of a hash into the cache, for a lookup shortly after.
    void prefetch(std::size_t hash) const {
        if (!buckets_.empty()) {
            __builtin_prefetch(&buckets_[hash & (buckets_.size() - 1)]);
        }
    }

    std::size_t size() const { return used_; }
    bool empty() const { return used_ == 0; }
    // Makes room for this many names, so that filling the table does not grow it step by step.
    void reserve(std::size_t names);
    // Empties the table but keeps its room, for a table that is filled again.
    void clear();

private:
    struct Bucket {
        std::uint32_t tag = 0;     // the hash's upper half
        std::uint32_t record = 0;  // 1 + offset of the record in arena_; 0 when empty
    };
    std::size_t bucketOf(std::string_view name, std::size_t hash) const;
    void grow();
    void rehash(std::size_t bucketCount);
    std::string_view nameOf(const Bucket& bucket) const;
    int numberOf(const Bucket& bucket) const;

    std::vector<Bucket> buckets_;
    std::size_t used_ = 0;
    std::string arena_;  // per name: number (4 bytes), length (4 bytes), the name
};

}  // namespace zelk
