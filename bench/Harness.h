#pragma once

#include <functional>
#include <vector>

// One timed operation: prepare runs untimed before each run (e.g. copying what a sort will
// reorder), run is what the clock sees.
struct TimedStep
{
    std::function<void()> prepare;
    std::function<void()> run;
};

// Runs the steps in rounds, each step once per round, so that a busy moment of a shared
// machine falls on all of them alike rather than on one. The warm-up rounds fill caches
// (database pages, fonts, allocator) and are not kept. Returns milliseconds per step per
// kept round.
std::vector<std::vector<double>> TimeInterleaved(const std::vector<TimedStep> &steps, int warmups, int runs);

double Median(std::vector<double> values);
