#pragma once

#include "BenchContext.h"

// From starting the program's process until its main window has painted the category tree,
// beside the start of a window of the same controls without pictures or data (the floor) and of
// a minimal Qt Widgets window, in the same rounds. The program is the
// real binary, unchanged: Qt's own painting log (qt.widgets.painting, switched on for the
// child through QT_LOGGING_RULES) says when the first paint of the window was flushed, and
// the benchmark then ends the process. The program's database is the tree directory, put
// where the program looks for it in a data folder of the child's own.
void RunStartupBenchmarks(BenchContext &ctx, const GeneratedDirectory &directory);
