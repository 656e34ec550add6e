#pragma once

#include "BenchContext.h"

// Places added through "Add New Information" by several processes at once on one server, each
// with its own connection, against the same two inserts per place sent raw through Qt SQL by
// as many processes with identifiers of their own (no contention: the ceiling). Reported in
// places added per second, for one client and for eight.
void RunConcurrentAdds(BenchContext &ctx, const GeneratedDirectory &directory);

// A child of the benchmark (--add-client N): adds its places to the database in
// TARNWICK_BENCH_DATABASE once its standard input says "go", and prints how many it stored.
// --add-raw: the floor's way.
int RunAddClient(int client, bool raw);
