// The line reader against a plain reference splitter, with the bytes handed over in chunks of
// every size, so that a CR LF split across two reads is met too.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "MemoryDisk.h"
#include "platform/Error.h"
#include "platform/FileSystemObject.h"

namespace {

std::vector<std::string> referenceLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    bool open = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(current);
            current.clear();
            open = false;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            current += text[i];
            open = true;
        }
    }
    if (open) {
        lines.push_back(current);
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t chunk = 1 + data[0] % 17;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    zelk::TextStream stream(std::make_unique<zelk::fuzz::ChunkSource>(text, chunk), "fuzz");
    std::vector<std::string> lines;
    while (!stream.AtEndOfStream()) {
        lines.push_back(stream.ReadLine());
    }
    if (lines != referenceLines(text)) {
        std::abort();
    }
    try {
        stream.ReadLine();
        std::abort();  // reading past the end must fail
    } catch (const zelk::ZelkError& error) {
        if (error.number() != zelk::ErrorNumber::InputPastEnd) {
            std::abort();
        }
    }
    return 0;
}
