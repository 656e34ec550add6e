#pragma once

#include "BenchContext.h"

// "Dinning" opened for the first time: from the call until the web window's browser asks a
// local web server for the page, in a fresh process of this program (`--web-window-probe`) each
// run, so that the browser engine starts from nothing as at a user's first click. Set beside
// the minimal window's start (ms), measured by the start-up benchmark.
void RunWebWindowBenchmarks(BenchContext &ctx, double minimalWindow);

// The child's side: opens the web window on a page of its own server and prints the ms until
// the page was asked for.
int RunWebWindowProbe();
