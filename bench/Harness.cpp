#include "Harness.h"

#include <QElapsedTimer>

#include <algorithm>

std::vector<StepTimes> TimeInterleaved(const std::vector<TimedStep> &steps, int warmups, int runs)
{
    std::vector<StepTimes> times(steps.size());
    for (int round = 0; round < warmups + runs; ++round) {
        // Every other round runs the steps backwards: whatever runs first in a round, or
        // right after another's cache-trashing work, pays for it, so each step takes each
        // place equally often.
        const bool backwards = round % 2 == 1;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const std::size_t s = backwards ? steps.size() - 1 - i : i;
            const TimedStep &step = steps[s];
            if (step.prepare)
                step.prepare();
            QElapsedTimer clock;
            clock.start();
            double run = 0;
            if (step.measure) {
                run = step.measure();
            } else {
                step.run();
                run = double(clock.nsecsElapsed()) / 1e6;
            }
            double settle = 0;
            if (step.settle) {
                clock.restart();
                step.settle();
                settle = double(clock.nsecsElapsed()) / 1e6;
            }
            if (round < warmups)
                continue;
            times[s].run.push_back(run);
            if (step.settle)
                times[s].settle.push_back(settle);
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
