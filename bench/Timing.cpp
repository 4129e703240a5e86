#include "Timing.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

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

std::vector<Samples> interleavedRounds(int rounds, const std::vector<Contender>& contenders) {
    std::vector<Samples> times(contenders.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t turn = 0; turn < contenders.size(); ++turn) {
            const std::size_t which = (static_cast<std::size_t>(round) + turn) % contenders.size();
            contenders[which].setup();
            times[which].seconds.push_back(seconds(contenders[which].work));
        }
    }
    return times;
}

Pair interleavedRounds(int rounds, const Contender& first, const Contender& second) {
    std::vector<Samples> times = interleavedRounds(rounds, {first, second});
    return {std::move(times[0]), std::move(times[1])};
}

void printRatio(const std::string& what, const Samples& numerator, const Samples& denominator,
                double target) {
    const double best = numerator.best() / denominator.best();
    const double median = numerator.median() / denominator.median();
    std::printf("%-72s best %5.2f  median %5.2f   target <= %.2f  %s\n", what.c_str(), best, median,
                target, best <= target ? "ok" : "OVER");
}

}  // namespace bench
