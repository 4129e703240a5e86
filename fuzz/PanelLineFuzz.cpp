// The panel-line rule on any bytes, read as a panel file is read (8-bit, or UTF-16 or UTF-8 by
// its byte-order mark, handed over in chunks of many sizes): never crashes; the lines hold
// exactly the text without its line ends; a UTF-16 file fails exactly when it is not UTF-16; a
// name is always a blank-free-ended piece of its line without "!" or ",", found only in lines
// that mention "gauge" in some case, and its other spellings are shorter pieces of it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "MemoryDisk.h"
#include "platform/Error.h"
#include "platform/FileSystemObject.h"
#include "platform/TextEncoding.h"
#include "scan/GaugeRule.h"

namespace {

bool mentionsGauge(std::string_view line) {
    std::string lowered(line);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lowered.find("gauge") != std::string::npos;
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool isPieceOf(std::string_view piece, std::string_view whole) {
    return piece.empty() || (piece.data() >= whole.data() &&
                             piece.data() + piece.size() <= whole.data() + whole.size());
}

void checkLine(std::string_view line) {
    const auto name = zelk::gaugeNameOf(line);
    check(name.has_value() == mentionsGauge(line));
    if (!name) {
        return;
    }
    check(isPieceOf(*name, line));  // a view into the line, after its first "=" (if any)
    const auto equals = line.find('=');
    if (!name->empty() && equals != std::string_view::npos) {
        check(static_cast<std::size_t>(name->data() - line.data()) > equals);
    }
    check(name->find_first_of("!,") == std::string_view::npos);
    if (!name->empty()) {
        check(name->front() != ' ' && name->front() != '\t');
        check(name->back() != ' ' && name->back() != '\t');
    }
    for (const std::string_view other : zelk::otherSpellingsOf(*name)) {
        check(isPieceOf(other, *name) && other.size() < name->size());
    }
}

// The text the reader must give: UTF-16 decoded, a UTF-8 mark dropped; nothing for a UTF-16
// file that is not UTF-16.
std::optional<std::string> expectedText(std::string_view bytes) {
    const zelk::TextMark mark = zelk::textMarkOf(bytes);
    bytes.remove_prefix(mark.length);
    if (mark.encoding == zelk::TextMark::Encoding::Utf16) {
        return zelk::utf16ToUtf8(bytes, mark.order);
    }
    return std::string(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto text = expectedText(bytes);
    zelk::TextStream stream(
        zelk::textByByteOrderMark(std::make_unique<zelk::fuzz::ChunkSource>(bytes, 1 + size % 13),
                                  "fuzz"),
        "fuzz");
    std::string joined;
    try {
        while (!stream.AtEndOfStream()) {
            const std::string line = stream.ReadLine();
            checkLine(line);
            joined += line;
        }
    } catch (const zelk::ZelkError& error) {
        check(!text && error.number() == zelk::ErrorNumber::IoFailure);
        return 0;
    }
    check(text.has_value());
    std::string withoutEnds;
    for (const char c : *text) {
        if (c != '\r' && c != '\n') {
            withoutEnds += c;
        }
    }
    check(joined == withoutEnds);
    return 0;
}
