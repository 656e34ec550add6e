#pragma once

#include "BenchContext.h"

class BenchWindow;

// What the user waits for, from a real click until the main window has painted the result:
// "&Search" in "Find Place" with the name "%" ("Contains"), "Back" to that search,
// "Refresh" and a click on "Main Categories", beside the sqlite3 shell running the statements
// each click sent, in the same rounds. With an accessibility bridge present (an AT-SPI bus
// and a client), each click is timed with the bridge off and on.
void RunEndToEndBenchmarks(BenchContext &ctx, BenchWindow &window, const GeneratedDirectory &directory);

// Whether the platform's accessibility bridge switched accessibility on when the benchmark
// started; it is then switched off for every step but those timed with it on.
bool AccessibilityBridgeFound();
void NoteAccessibilityBridge();
