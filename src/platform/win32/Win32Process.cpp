#include "platform/ConfigFolder.h"
#include "platform/ProcessMemory.h"

namespace zelk {

// The Windows heap keeps freed memory for the process by itself.
void keepFreedMemoryForReuse() {}

// The Windows program keeps its settings file beside itself, as it always has: it is meant to
// live in a folder its user can write.
std::string userConfigFolder() {
    return {};
}

}  // namespace zelk
