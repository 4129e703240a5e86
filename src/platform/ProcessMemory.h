#pragma once

namespace zelk {

// A Scan builds tables of a few megabytes and lets them go, and the next command builds them
// again. Keeping freed memory in the process, instead of handing it back to the system at
// once, spares the system clearing fresh pages for every command. Called once at start-up.
void keepFreedMemoryForReuse();

}  // namespace zelk
