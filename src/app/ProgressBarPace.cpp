#include "app/ProgressBarPace.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zelk {
namespace {

int wholeNonNegative(float value) {
    const double number = value;
    if (!(number > 0.0)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::min(number, static_cast<double>(INT_MAX))));
}

}  // namespace

int barTop(float maximum) {
    return std::max(1, wholeNonNegative(maximum));
}

int barPosition(float value, int top) {
    return std::min(wholeNonNegative(value), top);
}

bool paintsAtOnce(int wanted, int shown, int top) {
    return wanted == top || wanted < shown;
}

bool ProgressBarPace::paintDue() const {
    return !lastPaint_ || std::chrono::steady_clock::now() - *lastPaint_ >= kPaintInterval;
}

void ProgressBarPace::painted() {
    lastPaint_ = std::chrono::steady_clock::now();
}

}  // namespace zelk
