#pragma once

#include <cstdint>

namespace bench {

// Calls of the global operator new in this process so far.
uint64_t Allocations();

}  // namespace bench
