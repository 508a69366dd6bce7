#pragma once

namespace ordavin {

// `ordavin-bench precision`: whole ordavin-cli processes on the large divider searches,
// optionally beside an earlier build of ordavin-cli.
int RunPrecisionBenchmark(int argc, char** argv);

}  // namespace ordavin
