// A small benchmark harness: each case times our operation and the bare Win32 calls that
// do the same work, side by side in one run, and reports the ratio of the two.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// Time in seconds of one call of work, the average of repeat calls.
inline double Seconds(const std::function<void()>& work, int repeat) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repeat; ++i) work();
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / repeat;
}

// Best (smallest) time in seconds of one call of work over rounds rounds of repeat calls.
inline double BestSeconds(const std::function<void()>& work, int repeat = 20, int rounds = 7) {
    double best = 1e300;
    for (int round = 0; round < rounds; ++round) best = std::min(best, Seconds(work, repeat));
    return best;
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A case measures and returns our time divided by the baseline's time.
struct Case {
    std::string name;
    std::function<double()> run;
};

inline std::vector<Case>& Cases() {
    static std::vector<Case> cases;
    return cases;
}

struct Register {
    Register(std::string name, std::function<double()> run) { Cases().push_back({std::move(name), std::move(run)}); }
};

}  // namespace bench
