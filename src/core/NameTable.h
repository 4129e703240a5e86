#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AsciiText.h"

namespace zelk {

// A set of names, each with a number, in a flat table with open addressing. A bucket holds
// part of the name's hash and where the name is copied in a compact arena, so that a lookup
// touches two small arrays instead of chasing one node per name: that matters when a Scan
// looks up every gauge reference of every panel and the table outgrows the processor's cache.
// Names are exact, but their hash ignores ASCII case, so that the same table also answers
// whether a name is there in any case.
class NameTable {
public:
    // Defined below in this header, as a lookup is: a Scan hashes and looks up the name of
    // every gauge line of every panel.
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

namespace name_table_detail {

inline constexpr std::size_t kRecordHeader = 2 * sizeof(std::uint32_t);

inline std::uint32_t tagOf(std::size_t hash) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32);
}

template <typename Number>
Number readAt(const char* at) {
    Number number{};
    std::memcpy(&number, at, sizeof number);
    return number;
}

// A name of fewer than eight bytes as one word: two loads that overlap for 4 to 7 bytes; the
// first, middle and last byte for fewer.
inline std::uint64_t shortNameWord(const char* name, std::size_t length) {
    if (length >= 4) {
        return readAt<std::uint32_t>(name) | std::uint64_t{readAt<std::uint32_t>(name + length - 4)}
                                                 << 32;
    }
    if (length == 0) {
        return 0;
    }
    const auto byte = [name](std::size_t at) {
        return std::uint64_t{static_cast<unsigned char>(name[at])};
    };
    return byte(0) | byte(length / 2) << 8 | byte(length - 1) << 16;
}

inline std::uint64_t step(std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ asciiLowerWord(word)) * 0xbf58476d1ce4e5b9u;
    return hash ^ (hash >> 29);
}

inline std::uint64_t mixed(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdu;
    hash ^= hash >> 33;
    return hash;
}

}  // namespace name_table_detail

// Eight bytes at a time with ASCII capitals lowered, each word multiplied in (the last one
// overlapping the one before when the length is not a multiple of eight), then mixed so that
// the low bits that pick a bucket depend on every byte. The length goes in first, so that the
// words of names of different lengths never hash alike by their overlap alone.
inline std::size_t NameTable::hashOf(std::string_view name) {
    using namespace name_table_detail;
    const char* const bytes = name.data();
    const std::size_t length = name.size();
    std::uint64_t hash = 0xcbf29ce484222325u ^ (length * 0x9e3779b97f4a7c15u);
    if (length < 8) {
        return static_cast<std::size_t>(mixed(step(hash, shortNameWord(bytes, length))));
    }
    for (std::size_t at = 0; at + 8 < length; at += 8) {
        hash = step(hash, readAt<std::uint64_t>(bytes + at));
    }
    return static_cast<std::size_t>(mixed(step(hash, readAt<std::uint64_t>(bytes + length - 8))));
}

inline std::string_view NameTable::nameOf(const Bucket& bucket) const {
    using namespace name_table_detail;
    const char* record = arena_.data() + bucket.record - 1;
    return {record + kRecordHeader, readAt<std::uint32_t>(record + sizeof(std::int32_t))};
}

inline int NameTable::numberOf(const Bucket& bucket) const {
    using namespace name_table_detail;
    return readAt<std::int32_t>(arena_.data() + bucket.record - 1);
}

// The bucket that holds the name, or the empty one where it would go.
inline std::size_t NameTable::bucketOf(std::string_view name, std::size_t hash) const {
    using namespace name_table_detail;
    const std::size_t mask = buckets_.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Bucket& bucket = buckets_[at];
        if (bucket.record == 0 ||
            (bucket.tag == tag &&
             sameFoldedWords(nameOf(bucket), name, [](std::uint64_t word) { return word; }))) {
            return at;
        }
    }
}

inline std::optional<int> NameTable::find(std::string_view name, std::size_t hash) const {
    if (buckets_.empty()) {
        return std::nullopt;
    }
    const Bucket& bucket = buckets_[bucketOf(name, hash)];
    if (bucket.record == 0) {
        return std::nullopt;
    }
    return numberOf(bucket);
}

}  // namespace zelk
