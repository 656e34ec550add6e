#pragma once

#include "BenchContext.h"

// Peak resident memory of the program listing the whole directory, measured in a fresh
// process of this program (`--memory-probe`), so that nothing the benchmark itself allocated
// before counts, nor memory its allocator kept from earlier runs.
// On SQLite the peak must stay within `limit` times the text.
void MeasureMemory(BenchContext &ctx, const GeneratedDirectory &directory, double limit);

// The child's side: opens the directory named in its environment (not on its command line,
// where a server password would show), starts the main window with an empty list, lists
// every place twice (a reload is what a user does next), and prints what it measured as JSON.
int RunMemoryProbe();
