#include "platform/CodePages.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <cerrno>
#include <map>
#include <vector>

#include "platform/Error.h"
#include "platform/WindowsUpperCase.h"

namespace zelk {
namespace {

// One converter per code page, opened on first use and kept until the program ends: opening
// one costs far more than a conversion.
class Converters {
public:
    Converters() = default;
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;
    ~Converters() {
        for (const auto& [codePage, converter] : open_) {
            ::iconv_close(converter);
        }
    }

    iconv_t forCodePage(int codePage) {
        const auto known = open_.find(codePage);
        if (known != open_.end()) {
            return known->second;
        }
        const std::string name = "CP" + std::to_string(codePage);
        // wchar_t holds one code point in the machine's own byte order on every Linux.
        static_assert(sizeof(wchar_t) == sizeof(char32_t));
        const iconv_t converter = ::iconv_open("WCHAR_T", name.c_str());
        if (converter == reinterpret_cast<iconv_t>(-1)) {
            throw makeError(ErrorNumber::InternalError,
                            "the system cannot convert text of code page " + name);
        }
        open_.emplace(codePage, converter);
        return converter;
    }

private:
    std::map<int, iconv_t> open_;
};

iconv_t converterFor(int codePage) {
    static Converters converters;
    return converters.forCodePage(codePage);
}

// The locale whose character tables give the lower case of any character; C.UTF-8 is part of
// the C library on every current Linux, and no user setting changes it.
locale_t caseLocale() {
    static const locale_t locale = [] {
        locale_t found = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
        if (found == locale_t{}) {
            found = ::newlocale(LC_CTYPE_MASK, "C.utf8", locale_t{});
        }
        return found;
    }();
    if (locale == locale_t{}) {
        throw makeError(ErrorNumber::InternalError,
                        "the C.UTF-8 locale of the C library is missing, so gauge names beyond "
                        "plain ASCII cannot be compared without regard to case");
    }
    return locale;
}

}  // namespace

std::optional<std::u32string> decodeCodePage(int codePage, std::string_view bytes) {
    const iconv_t converter = converterFor(codePage);
    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    // Vietnamese may combine two bytes into one character; it never makes more than one per byte.
    std::vector<char32_t> out(bytes.size() + 1);
    char* in = const_cast<char*>(bytes.data());  // iconv's signature; the input is not changed
    std::size_t inLeft = bytes.size();
    char* put = reinterpret_cast<char*>(out.data());
    std::size_t outLeft = out.size() * sizeof(char32_t);
    if (::iconv(converter, &in, &inLeft, &put, &outLeft) == static_cast<std::size_t>(-1) ||
        ::iconv(converter, nullptr, nullptr, &put, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;  // a byte without meaning in this code page
    }
    const std::size_t count = out.size() - outLeft / sizeof(char32_t);
    return std::u32string(out.data(), count);
}

char32_t lowerCharacter(char32_t c) {
    if (c < 0x80) {
        return (c >= U'A' && c <= U'Z') ? c + 0x20 : c;
    }
    return static_cast<char32_t>(::towlower_l(static_cast<wint_t>(c), caseLocale()));
}

char32_t upperCharacter(char32_t c) {
    return windowsUpperCase(c);
}

}  // namespace zelk
