#include "app/win32/ShellFolderPicker.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/win32/Win32Text.h"

namespace zelk::win32 {
namespace {

// The picker is a COM object of the shell and needs COM on this thread; a thread that already
// has COM keeps it as it was.
class ComForThisCall {
public:
    ComForThisCall() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForThisCall() {
        if (SUCCEEDED(result_)) {
            ::CoUninitialize();
        }
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

private:
    HRESULT result_;
};

}  // namespace

std::optional<std::string> browseForFolder(HWND owner, const std::string& title) {
    const ComForThisCall com;
    const std::string ansiTitle = ansiForDisplay(title);

    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;  // the whole shell namespace
    info.pszDisplayName = nullptr;
    info.lpszTitle = ansiTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = nullptr;
    info.lParam = 0;
    info.iImage = 0;
    PIDLIST_ABSOLUTE item = ::SHBrowseForFolderA(&info);

    // Asked also after a cancel (a null list), which the call answers with zero; the path is the
    // text before the first NUL.
    // The call writes up to MAX_PATH characters, NUL included.
    char path[MAX_PATH];
    std::fill(std::begin(path), std::end(path), ' ');
    const BOOL placed = ::SHGetPathFromIDListA(item, path);
    ::CoTaskMemFree(item);

    if (!placed) {
        return std::nullopt;
    }
    const std::string chosen(path, ::strnlen(path, sizeof path));
    if (chosen.empty()) {
        return std::nullopt;
    }
    return utf8FromAnsi(chosen);
}

}  // namespace zelk::win32
