#include "core/NameTable.h"

#include <algorithm>
#include <cstring>

#include "platform/AsciiText.h"
#include "platform/Error.h"

namespace zelk {
namespace {

using name_table_detail::kRecordHeader;
using name_table_detail::tagOf;

template <typename Number>
void append(std::string& arena, Number number) {
    arena.append(reinterpret_cast<const char*>(&number), sizeof number);
}

}  // namespace

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
