#include "core/NameTable.h"

#include <algorithm>
#include <cstring>

#include "platform/AsciiText.h"
#include "platform/Error.h"

namespace zelk {
namespace {

constexpr std::size_t kRecordHeader = 2 * sizeof(std::uint32_t);

std::uint32_t tagOf(std::size_t hash) {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(hash) >> 32);
}

template <typename Number>
Number readAt(const char* at) {
    Number number{};
    std::memcpy(&number, at, sizeof number);
    return number;
}

template <typename Number>
void append(std::string& arena, Number number) {
    arena.append(reinterpret_cast<const char*>(&number), sizeof number);
}

// A name of fewer than eight bytes as one word: two loads that overlap for 4 to 7 bytes; the
// first, middle and last byte for fewer.
std::uint64_t shortNameWord(const char* name, std::size_t length) {
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

std::uint64_t step(std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ asciiLowerWord(word)) * 0xbf58476d1ce4e5b9u;
    return hash ^ (hash >> 29);
}

std::uint64_t mixed(std::uint64_t hash) {
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdu;
    hash ^= hash >> 33;
    return hash;
}

}  // namespace

// Eight bytes at a time with ASCII capitals lowered, each word multiplied in (the last one
// overlapping the one before when the length is not a multiple of eight), then mixed so that
// the low bits that pick a bucket depend on every byte. The length goes in first, so that the
// words of names of different lengths never hash alike by their overlap alone.
std::size_t NameTable::hashOf(std::string_view name) {
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

bool NameTable::containsIgnoringAsciiCase(std::string_view name) const {
    if (buckets_.empty()) {
        return false;
    }
    const std::size_t hash = hashOf(name);
    const std::size_t mask = buckets_.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t at = hash & mask; buckets_[at].record != 0; at = (at + 1) & mask) {
        const Bucket& bucket = buckets_[at];
        if (bucket.tag == tag && equalsIgnoringAsciiCase(nameOf(bucket), name)) {
            return true;
        }
    }
    return false;
}

std::string_view NameTable::nameOf(const Bucket& bucket) const {
    const char* record = arena_.data() + bucket.record - 1;
    return {record + kRecordHeader, readAt<std::uint32_t>(record + sizeof(std::int32_t))};
}

int NameTable::numberOf(const Bucket& bucket) const {
    return readAt<std::int32_t>(arena_.data() + bucket.record - 1);
}

// The bucket that holds the name, or the empty one where it would go.
std::size_t NameTable::bucketOf(std::string_view name, std::size_t hash) const {
    const std::size_t mask = buckets_.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Bucket& bucket = buckets_[at];
        if (bucket.record == 0 || (bucket.tag == tag && nameOf(bucket) == name)) {
            return at;
        }
    }
}

std::optional<int> NameTable::find(std::string_view name, std::size_t hash) const {
    if (buckets_.empty()) {
        return std::nullopt;
    }
    const Bucket& bucket = buckets_[bucketOf(name, hash)];
    if (bucket.record == 0) {
        return std::nullopt;
    }
    return numberOf(bucket);
}

void NameTable::grow() {
    rehash(buckets_.empty() ? 64 : buckets_.size() * 2);
}

void NameTable::rehash(std::size_t bucketCount) {
    std::vector<Bucket> old = std::move(buckets_);
    buckets_.assign(bucketCount, Bucket{});
    const std::size_t mask = buckets_.size() - 1;
    for (const Bucket& bucket : old) {
        if (bucket.record == 0) {
            continue;
        }
        std::size_t at = hashOf(nameOf(bucket)) & mask;
        while (buckets_[at].record != 0) {
            at = (at + 1) & mask;
        }
        buckets_[at] = bucket;
    }
}

void NameTable::reserve(std::size_t names) {
    std::size_t count = buckets_.empty() ? 64 : buckets_.size();
    while (count < 2 * (names + 1)) {
        count *= 2;
    }
    if (count > buckets_.size()) {
        rehash(count);
    }
}

bool NameTable::insert(std::string_view name, int number) {
    if ((used_ + 1) * 2 > buckets_.size()) {
        grow();
    }
    const std::size_t hash = hashOf(name);
    Bucket& bucket = buckets_[bucketOf(name, hash)];
    if (bucket.record != 0) {
        return false;
    }
    if (arena_.size() + kRecordHeader + name.size() >= UINT32_MAX) {
        throw makeError(ErrorNumber::OutOfMemory, "more than 4 GiB of names in one table");
    }
    bucket = {tagOf(hash), static_cast<std::uint32_t>(arena_.size() + 1)};
    append(arena_, static_cast<std::int32_t>(number));
    append(arena_, static_cast<std::uint32_t>(name.size()));
    arena_.append(name);
    ++used_;
    return true;
}

void NameTable::clear() {
    std::fill(buckets_.begin(), buckets_.end(), Bucket{});
    arena_.clear();
    used_ = 0;
}

}  // namespace zelk
