#include "Harness.h"

#include <QElapsedTimer>

#include <algorithm>

std::vector<std::vector<double>> TimeInterleaved(const std::vector<TimedStep> &steps, int warmups, int runs)
{
    std::vector<std::vector<double>> times(steps.size());
    for (int round = 0; round < warmups + runs; ++round) {
        for (std::size_t s = 0; s < steps.size(); ++s) {
            if (steps[s].prepare)
                steps[s].prepare();
            QElapsedTimer clock;
            clock.start();
            steps[s].run();
            const double ms = double(clock.nsecsElapsed()) / 1e6;
            if (round >= warmups)
                times[s].push_back(ms);
        }
    }
    return times;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
