#pragma once

#include <windows.h>

#include <memory>

namespace zelk::win32 {

// Owners of a file handle and of a folder search, closed when they go.
struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle);
        }
    }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

struct FindCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) {
            ::FindClose(handle);
        }
    }
};
using UniqueFind = std::unique_ptr<void, FindCloser>;

}  // namespace zelk::win32
