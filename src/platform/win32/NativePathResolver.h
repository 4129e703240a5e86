#pragma once

#include "platform/PathResolver.h"

namespace zelk {

// The program's paths on Windows: they are Windows paths already, and Windows looks them up
// without regard to case by itself.
class NativePathResolver : public PathResolver {
public:
    std::optional<ResolvedPath> resolve(const Disk& disk, std::string_view path,
                                        ResolutionCache* cache) const override;
    std::optional<std::string> likelyPath(std::string_view path,
                                          const ResolutionCache* cache) const override;
    std::optional<std::string> resolveForWriting(const Disk& disk,
                                                 std::string_view path) const override;
    std::string displayPath(std::string_view path) const override;
};

}  // namespace zelk
