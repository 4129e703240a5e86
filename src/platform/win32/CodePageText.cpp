#include "platform/win32/CodePageText.h"

#include "platform/CodePages.h"
#include "platform/WindowsUpperCase.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string_view>

namespace zelk {
namespace {

// Windows' tables give the undefined bytes of its 8-bit code pages (0x81 in 1252, 0x98 in 1251)
// the C1 control character of the same value instead of failing. No code page defines a C1
// control on purpose, so one in the result means an undefined byte.
bool holdsC1Control(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x80 && c <= 0x9F; });
}

std::u32string fromUtf16(std::wstring_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t unit = text[i];
        const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (pair) {
            result += 0x10000 + ((unit - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        } else {
            result += unit;
        }
    }
    return result;
}

// One character through LCMapStringEx, by the file system's rules (no linguistic casing).
char32_t mappedBySystem(char32_t c, DWORD mapping) {
    if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return c;
    }
    const wchar_t source = static_cast<wchar_t>(c);
    wchar_t mapped = source;
    if (::LCMapStringEx(LOCALE_NAME_INVARIANT, mapping, &source, 1, &mapped, 1, nullptr, nullptr,
                        0) != 1) {
        return c;
    }
    return mapped;
}

}  // namespace

std::optional<std::u32string> decodeCodePage(int codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return std::u32string();
    }
    if (codePage <= 0 || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const auto page = static_cast<UINT>(codePage);
    const int length = static_cast<int>(bytes.size());
    const int needed =
        ::MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(), needed);
    if (holdsC1Control(wide)) {
        return std::nullopt;
    }
    return fromUtf16(wide);
}

int ansiCodePage() {
    return static_cast<int>(::GetACP());
}

// As Windows lowers it, the same in every locale (no Turkish dotless i); characters beyond the
// Basic Multilingual Plane come back unchanged.
char32_t lowerCharacter(char32_t c) {
    return mappedBySystem(c, LCMAP_LOWERCASE);
}

// The system's own upper case joins a character to the table's class of that upper case, so
// that a Windows whose table folds more than the one the program carries is followed too.
char32_t upperCharacter(char32_t c) {
    const char32_t inTable = windowsUpperCase(c);
    return inTable != c ? inTable : windowsUpperCase(mappedBySystem(c, LCMAP_UPPERCASE));
}

}  // namespace zelk
