#pragma once

namespace bench {

// Writes what the system still holds of written files to disk, so that no write-back runs
// into the measurements that follow.
void flushToDisk();

}  // namespace bench
