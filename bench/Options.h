#pragma once

#include <filesystem>

#include "BenchTree.h"

namespace bench {

// The command line shared by the benchmarks:
//   [--quick] [--dir FOLDER] [aircraft [lines per panel [gauge files [rounds]]]]
struct Options {
    TreeSize full{2000, 80, 30000};
    int rounds = 11;
    std::filesystem::path workFolder = std::filesystem::temp_directory_path();
};

// Numbers left out on the command line keep the defaults' values.
Options parseOptions(int argc, char** argv, const Options& defaults = {});

}  // namespace bench
