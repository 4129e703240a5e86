#include "Options.h"

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

namespace bench {

Options parseOptions(int argc, char** argv, const Options& defaults) {
    Options options = defaults;
    std::vector<int> numbers;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            options.full = {200, 80, 3000};
            options.rounds = 3;
        } else if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
            options.workFolder = argv[++i];
        } else {
            numbers.push_back(std::atoi(argv[i]));
        }
    }
    int* const fields[] = {&options.full.aircraft, &options.full.linesPerPanel,
                           &options.full.gaugeFiles, &options.rounds};
    for (std::size_t i = 0; i < numbers.size() && i < std::size(fields); ++i) {
        *fields[i] = numbers[i];
    }
    return options;
}

}  // namespace bench
