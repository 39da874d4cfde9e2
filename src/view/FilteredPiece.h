#pragma once

#include <cstddef>

// Told which pixels of a run are final, [from, to) counted from the run's start: every pixel
// once, pieces in any order, all before the call that filters the run returns.
using FilteredPiece = void (*)(void* context, size_t from, size_t to);
