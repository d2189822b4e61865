#pragma once

// What the fuzz targets share: a check that stops the run with a message the moment an invariant breaks,
// so libFuzzer (or the corpus replay) reports the input as a crash.

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                                          \
    ((condition)                                                                                                       \
         ? (void)0                                                                                                     \
         : (std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition), std::abort()))
