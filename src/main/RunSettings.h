#pragma once

#include "data/setup/Environment.h"
#include "web/WebWindowSettings.h"

// How long a places list loads before it shows its progress and lets the window paint, and how
// long it then reads between two paints.
struct ListLoadTiming
{
    int progressDelay = 333; // ms
    int paintInterval = 50;  // ms
};

// What a run sets once, before its first main window (the command line, a test, the benchmark);
// every main window of the run is made with it, the one "&Back" makes included. Each part has
// its default, so a run names only the parts it sets: {.listLoad = {0, 0}}.
struct RunSettings
{
    Processing::DatabaseOverrides databases{};
    WebWindowSettings webWindow{};
    ListLoadTiming listLoad{};
};
