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

}  // namespace

// FNV-1a over the bytes with ASCII capitals lowered, then mixed so that the low bits that pick
// a bucket depend on every byte.
std::size_t NameTable::hashOf(std::string_view name) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        hash = (hash ^ (byte >= 'A' && byte <= 'Z' ? byte + 0x20u : byte)) * 0x100000001b3u;
    }
    hash ^= hash >> 33;
    hash *= 0xff51afd7ed558ccdu;
    hash ^= hash >> 33;
    return static_cast<std::size_t>(hash);
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

void NameTable::prefetch(std::size_t hash) const {
    if (!buckets_.empty()) {
        __builtin_prefetch(&buckets_[hash & (buckets_.size() - 1)]);
    }
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
