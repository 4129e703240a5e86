#pragma once

#include <chrono>
#include <optional>

namespace zelk {

// The arithmetic of the main window's progress bars, the same in both front ends. A bar takes
// whole numbers from 0 up.

// The top of a bar's range for a maximum: never below 1, as a maximum of 0 would leave the bar
// without a range (Qt shows a busy indicator instead).
int barTop(float maximum);
// The position of a value on a bar whose range ends at top. NaN and values out of range are
// brought into range before rounding, where the conversion is defined.
int barPosition(float value, int top);
// A move that is painted at once, whatever the pace: to the bar's end, or back.
bool paintsAtOnce(int wanted, int shown, int top);

// A command runs inside its click, but a user must see its bar move on a large install: the
// window lets the toolkit paint now and then, at most every 30 ms, as painting costs far more
// than a step of the command.
class ProgressBarPace {
public:
    static constexpr std::chrono::milliseconds kPaintInterval{30};

    // True before the first paint and once the interval has passed since the last.
    bool paintDue() const;
    void painted();

private:
    std::optional<std::chrono::steady_clock::time_point> lastPaint_;
};

}  // namespace zelk
