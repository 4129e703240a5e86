#include "FlushToDisk.h"

#include <unistd.h>

namespace bench {

void flushToDisk() {
    ::sync();
}

}  // namespace bench
