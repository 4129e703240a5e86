#include "platform/PathResolver.h"

namespace zelk {

bool isRelativePath(std::string_view path) {
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    const bool rooted = !path.empty() && (path[0] == '\\' || path[0] == '/');
    return !drive && !rooted;
}

const std::string* ResolutionCache::find(const std::string& key) const {
    const auto entry = entries_.find(key);
    return entry == entries_.end() ? nullptr : &entry->second;
}

void ResolutionCache::remember(std::string key, std::string native) {
    entries_.insert_or_assign(std::move(key), std::move(native));
}

}  // namespace zelk
