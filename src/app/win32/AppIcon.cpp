#include "app/win32/AppIcon.h"

#include "app/win32/ZelkResources.h"

namespace zelk::win32 {

HICON programIcon(int sizeMetric) {
    const int size = ::GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDI_ZELKGAUGES), IMAGE_ICON, size, size,
                                           LR_SHARED));
}

}  // namespace zelk::win32
