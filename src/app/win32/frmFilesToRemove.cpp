#include "app/win32/frmFilesToRemove.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "app/win32/AppIcon.h"
#include "platform/win32/Win32Text.h"

namespace {

namespace layout = zelk::layout;
namespace win32 = zelk::win32;

constexpr wchar_t kClassName[] = L"ZelkGaugesFilesToRemove";
// A dialog's frame that the user may resize; no minimise or maximise button.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
// Tab goes through the controls as in a dialog.
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

struct ControlEntry {
    const char* name;
    const wchar_t* className;
    DWORD style;
    int id;
    const char* text;
};

constexpr int kCopyId = 103;

// In tab order. Close is the default button, with the id that Esc sends.
constexpr std::array<ControlEntry, 4> kControls{{
    {"lstFiles", WC_LISTVIEWW,
     WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
     101, ""},
    {"lblTotal", WC_STATICW, SS_LEFT | SS_NOPREFIX, 102, ""},
    {"cmdCopy", WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, kCopyId, "Copy"},
    {"cmdClose", WC_BUTTONW, WS_TABSTOP | BS_DEFPUSHBUTTON, IDCANCEL, "Close"},
}};

int controlIndex(std::string_view name) {
    return layout::indexIn(kControls, name);
}

// Windows' line ends, which every Windows program that pastes understands.
std::wstring windowsLines(const std::string& lines) {
    std::wstring text;
    for (const wchar_t character : win32::widen(lines)) {
        if (character == L'\n') {
            text += L'\r';
        }
        text += character;
    }
    return text;
}

void addColumn(HWND list, int index, const wchar_t* title, int format) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = format;
    column.pszText = const_cast<wchar_t*>(title);
    column.iSubItem = index;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&column));
}

void addRow(HWND list, int index, const zelk::FilesToRemoveList::Row& row) {
    std::wstring name = win32::widen(row.name);
    std::wstring size = win32::widen(row.size);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = name.data();
    ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = size.data();
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
}

// Text for every program that pastes; false when another program holds the clipboard.
bool putOnClipboard(HWND owner, const std::wstring& text) {
    if (!::OpenClipboard(owner)) {
        return false;
    }
    bool put = false;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (::EmptyClipboard()) {
        if (const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            if (void* target = ::GlobalLock(memory)) {
                std::memcpy(target, text.c_str(), bytes);
                ::GlobalUnlock(memory);
                put = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            }
            if (!put) {
                ::GlobalFree(memory);  // the clipboard owns it only once it has taken it
            }
        }
    }
    ::CloseClipboard();
    return put;
}

void place(HWND control, int left, int top, int width, int height) {
    ::MoveWindow(control, left, top, std::max(width, 0), std::max(height, 0), TRUE);
}

}  // namespace

frmFilesToRemove::frmFilesToRemove(HWND owner, const zelk::FilesToRemoveList& list) {
    registerClass(kClassName, COLOR_BTNFACE, win32::programIcon(SM_CXICON),
                  win32::programIcon(SM_CXSMICON));
    create(kClassName, kStyle, kExStyle, "Files to remove", owner);
    dpi_ = win32::windowDpi(handle());
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlEntry& entry = kControls[i];
        controls_[i] =
            win32::createControl(handle(), entry.className, entry.style, entry.id, entry.text);
    }
    fill(list);
    setFonts();
    win32::setClientSize(handle(), layout::kFilesClient, dpi_);
}

frmFilesToRemove::~frmFilesToRemove() {
    destroy();
}

HWND frmFilesToRemove::control(std::string_view name) const {
    const int index = controlIndex(name);
    return index < 0 ? nullptr : controls_[static_cast<std::size_t>(index)];
}

void frmFilesToRemove::fill(const zelk::FilesToRemoveList& list) {
    const HWND files = control("lstFiles");
    ::SendMessageW(files, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    addColumn(files, 0, L"Name", LVCFMT_LEFT);
    addColumn(files, 1, L"Size", LVCFMT_RIGHT);
    ::SendMessageW(files, LVM_SETITEMCOUNT, list.rows.size(), 0);
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        addRow(files, static_cast<int>(i), list.rows[i]);
    }
    LVITEMW first{};
    first.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    first.state = first.stateMask;
    ::SendMessageW(files, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    ::SetWindowTextW(control("lblTotal"), win32::widen(list.foot).c_str());
    copiedText_ = windowsLines(list.paths);
}

void frmFilesToRemove::setFonts() {
    win32::Font font(layout::kWindowFont, dpi_);
    for (const HWND each : controls_) {
        ::SendMessageW(each, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    font_ = std::move(font);
}

// The list takes what the foot and the buttons leave; the names take what the sizes leave.
void frmFilesToRemove::layOut() {
    const HWND files = control("lstFiles");
    if (!files) {
        return;  // the window is being made
    }
    RECT client{};
    ::GetClientRect(handle(), &client);
    const auto pixels = [this](int twips) { return win32::twipsToPixels(twips, dpi_); };
    const int margin = pixels(layout::kFilesMargin);
    const int buttonWidth = pixels(layout::kFilesButton.width);
    const int buttonHeight = pixels(layout::kFilesButton.height);
    const int buttonTop = client.bottom - margin - buttonHeight;
    const int footHeight = pixels(layout::kFilesFootHeight);
    const int footTop = buttonTop - margin - footHeight;
    const int width = client.right - 2 * margin;
    place(control("cmdClose"), client.right - margin - buttonWidth, buttonTop, buttonWidth,
          buttonHeight);
    place(control("cmdCopy"), client.right - 2 * (margin + buttonWidth), buttonTop, buttonWidth,
          buttonHeight);
    place(control("lblTotal"), margin, footTop, width, footHeight);
    place(files, margin, margin, width, footTop - 2 * margin);
    RECT inside{};
    ::GetClientRect(files, &inside);
    const int sizeWidth = pixels(layout::kFilesSizeColumn);
    ::SendMessageW(files, LVM_SETCOLUMNWIDTH, 1, sizeWidth);
    ::SendMessageW(files, LVM_SETCOLUMNWIDTH, 0,
                   std::max(static_cast<int>(inside.right) - sizeWidth, margin));
}

void frmFilesToRemove::showModal() {
    win32::centreOnOwner(handle());
    open_ = true;
    focus_ = control("lstFiles");
    win32::runModal(handle(), open_, [this](MSG& message) { return handleKeys(message); });
    open_ = false;
}

// The keys of a dialog (Tab, Esc, Enter, Space), and Ctrl+C, which copies from anywhere in it.
bool frmFilesToRemove::handleKeys(MSG& message) {
    if (message.hwnd != handle() && !::IsChild(handle(), message.hwnd)) {
        return false;
    }
    if (win32::isCtrlKey(message, 'C')) {
        copy();
        return true;
    }
    return ::IsDialogMessageW(handle(), &message) != FALSE;
}

// Another program may hold the clipboard: then the user hears that nothing was copied.
void frmFilesToRemove::copy() const {
    if (!putOnClipboard(handle(), copiedText_)) {
        ::MessageBeep(MB_ICONWARNING);
    }
}

void frmFilesToRemove::onCommand(int id) {
    if (id == kCopyId) {
        copy();
    } else if (id == IDOK || id == IDCANCEL) {
        open_ = false;
    }
}

LRESULT frmFilesToRemove::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) {
                onCommand(LOWORD(wParam));
            }
            return 0;
        // Enter on the list presses Close; the dialog keys give its default border back to it
        // when the focus leaves Copy.
        case DM_GETDEFID:
            return MAKELRESULT(IDCANCEL, DC_HASDEFID);
        // A plain window, unlike a dialog, does not give the focus back to the control that had
        // it when it is activated again.
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = ::GetFocus();
                focus_ = focus && ::IsChild(handle(), focus) ? focus : focus_;
            } else if (focus_) {
                ::SetFocus(focus_);
            }
            return 0;
        case WM_CLOSE:
            open_ = false;
            return 0;
        case WM_SIZE:
            layOut();
            return 0;
        case WM_GETMINMAXINFO: {
            RECT frame{0, 0, win32::twipsToPixels(layout::kFilesMinimumClient.width, dpi_),
                       win32::twipsToPixels(layout::kFilesMinimumClient.height, dpi_)};
            ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
            return 0;
        }
        case WM_DPICHANGED: {
            dpi_ = LOWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            setFonts();
            ::SetWindowPos(handle(), nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            layOut();
            return 0;
        }
        default:
            break;
    }
    return Window::handleMessage(message, wParam, lParam);
}
