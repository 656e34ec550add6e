#pragma once

#include "BenchContext.h"

class BenchWindow;

// The category tree: InitForm, and expanding a top category (its places listed, the level
// below its children loaded).
void RunTreeBenchmarks(BenchContext &ctx, BenchWindow &window, const GeneratedDirectory &directory);
