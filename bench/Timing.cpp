#include "Timing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace bench {

double Samples::best() const {
    return seconds.empty() ? 0.0 : *std::min_element(seconds.begin(), seconds.end());
}

double Samples::median() const {
    if (seconds.empty()) {
        return 0.0;
    }
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double seconds(const std::function<void()>& work) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

Pair interleavedRounds(int rounds, const Contender& first, const Contender& second) {
    Pair times;
    const auto runOnce = [](const Contender& contender, Samples& samples) {
        contender.setup();
        samples.seconds.push_back(seconds(contender.work));
    };
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            runOnce(first, times.first);
            runOnce(second, times.second);
        } else {
            runOnce(second, times.second);
            runOnce(first, times.first);
        }
    }
    return times;
}

void printRatio(const std::string& what, const Samples& numerator, const Samples& denominator,
                double target) {
    const double best = numerator.best() / denominator.best();
    const double median = numerator.median() / denominator.median();
    std::printf("%-52s best %5.2f  median %5.2f   target <= %.2f  %s\n", what.c_str(), best, median,
                target, best <= target ? "ok" : "OVER");
}

}  // namespace bench
