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

// Times every contender once per round, the order rotating from round to round (with two, the
// one that goes first alternates), so that none always runs on caches another has just warmed
// or cooled. The samples come back in the order of the contenders.
std::vector<Samples> interleavedRounds(int rounds, const std::vector<Contender>& contenders);
Pair interleavedRounds(int rounds, const Contender& first, const Contender& second);

// Prints "what  best R  median R  target <= T  ok|OVER" for numerator / denominator.
void printRatio(const std::string& what, const Samples& numerator, const Samples& denominator,
                double target);

double seconds(const std::function<void()>& work);

}  // namespace bench
