#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bench {

// The times of one contender over the rounds, in seconds.
struct Samples {
    std::vector<double> seconds;

    double best() const;
    double median() const;
};

// Something to time: setup runs untimed before each timed run of work.
struct Contender {
    std::function<void()> setup;
    std::function<void()> work;
};

struct Pair {
    Samples first;
    Samples second;
};

// Times both contenders once per round, the one that goes first alternating from round to
// round, so that neither always runs on caches the other has just warmed or cooled.
Pair interleavedRounds(int rounds, const Contender& first, const Contender& second);

// Prints "what  best R  median R  target <= T  ok|OVER" for numerator / denominator.
void printRatio(const std::string& what, const Samples& numerator, const Samples& denominator,
                double target);

double seconds(const std::function<void()>& work);

}  // namespace bench
