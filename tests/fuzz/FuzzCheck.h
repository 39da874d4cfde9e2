#pragma once

#include <cstdio>
#include <cstdlib>

// A property that must hold for every input; a breach is a crash the fuzzer keeps as a finding.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)
