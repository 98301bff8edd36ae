// A property check that stops the fuzzer with the failing input saved.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                   \
  do {                                                                          \
    if (!(condition)) {                                                         \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, \
                   __LINE__);                                                   \
      std::abort();                                                             \
    }                                                                           \
  } while (0)
