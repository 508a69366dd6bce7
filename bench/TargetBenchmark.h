#pragma once

// The target-resistance benchmark; argv[0] is "target", its options follow.
int RunTargetBenchmark(int argc, char** argv);
