#pragma once

// What the benchmarks share: the timing of a step over many rounds, and the
// prompter that shows nothing (SilentPrompter).

#include "common/prompter.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace ludra {

// Runs setup (untimed) and then work (timed), rounds times, and prints the
// median and the fastest in microseconds.
inline void measure(const char *what, int rounds, const std::function<void()> &setup,
                    const std::function<void()> &work)
{
    std::vector<qint64> times;
    times.reserve(size_t(rounds));
    for (int r = 0; r < rounds; ++r) {
        setup();
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    std::printf("   %-44s median %9.1f us   fastest %9.1f us\n", what, times[times.size() / 2] / 1000.0,
                times.front() / 1000.0);
}

} // namespace ludra
