#pragma once

#include <functional>
#include <vector>

// One timed operation: prepare runs untimed before each run (e.g. copying what a sort will
// reorder), run is what the clock sees, and settle, when given, is timed apart right after
// it (what the window does next: layout and paint).
struct TimedStep
{
    std::function<void()> prepare;
    std::function<void()> run;
    std::function<void()> settle;
    // Instead of run: a step that times itself and returns ms, for one whose clock starts
    // inside it (a click in a dialog, whose opening the user does not wait for).
    std::function<double()> measure = {};
};

struct StepTimes
{
    std::vector<double> run;    // ms per kept round
    std::vector<double> settle; // ms per kept round; empty without a settle step
};

// Runs the steps in rounds, each step once per round, so that a busy moment of a shared
// machine falls on all of them alike rather than on one; odd rounds run them in reverse order. The warm-up rounds fill
// caches (database pages, fonts, allocator) and are not kept.
std::vector<StepTimes> TimeInterleaved(const std::vector<TimedStep> &steps, int warmups, int runs);

double Median(std::vector<double> values);
