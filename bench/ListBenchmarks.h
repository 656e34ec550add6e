#pragma once

#include "BenchContext.h"

class BenchWindow;

// The places list on a directory: UpdateList(-1); with `full` also one category, a search,
// and header clicks sorting the whole list. Returns the median of UpdateList(-1) in ms.
double RunListBenchmarks(BenchContext &ctx, BenchWindow &window, const GeneratedDirectory &directory, bool full);

// The large directory: UpdateList(-1), which fills the list in steps and lets the window
// paint meanwhile, how long the window went without painting, and a header click.
void RunLargeListBenchmarks(BenchContext &ctx, BenchWindow &window, const GeneratedDirectory &directory);
