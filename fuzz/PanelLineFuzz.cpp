// The panel-line rule on any bytes: never crashes, and a name is always a blank-free-ended
// piece of the line without "!" or ",", found only in lines that mention "gauge" in some case.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto name = zelk::gaugeNameOf(line);
    check(name.has_value() == mentionsGauge(line));
    if (!name) {
        return 0;
    }
    // A view into the line, after its first "=" (if any).
    check(name->empty() || (name->data() >= line.data() &&
                            name->data() + name->size() <= line.data() + line.size()));
    const auto equals = line.find('=');
    if (!name->empty() && equals != std::string_view::npos) {
        check(static_cast<std::size_t>(name->data() - line.data()) > equals);
    }
    check(name->find_first_of("!,") == std::string_view::npos);
    if (!name->empty()) {
        check(name->front() != ' ' && name->front() != '\t');
        check(name->back() != ' ' && name->back() != '\t');
    }
    return 0;
}
