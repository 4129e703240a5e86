#pragma once

#include <windows.h>

namespace zelk::win32 {

// The program icon at the size Windows uses for this metric (SM_CXICON, SM_CXSMICON): one
// 32-by-32, 16-colour picture, scaled where another size is asked for. Shared; never freed.
HICON programIcon(int sizeMetric);

}  // namespace zelk::win32
