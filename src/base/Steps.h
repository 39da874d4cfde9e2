#pragma once

#include <cstddef>

// How every vector loop covers a row: `whole(at)` for each whole step of kStep pixels from the
// row's start, then `rest(at, count - at)` once for what is left, fewer than a step, which the
// plain kernel does (a row shorter than a step goes to it whole). The plain kernel is the
// reference, so a row's end costs no second vector loop and no pixel is worked twice, which an
// in-place kernel could not afford. A lambda in a vector function carries its target
// (GLIMMERLUX_AVX2_LAMBDA); optimised builds inline it.
template <size_t kStep, typename Whole, typename Rest>
[[gnu::always_inline]] inline void ForEachStep(size_t count, Whole&& whole, Rest&& rest) {
  size_t at = 0;
  for (; at + kStep <= count; at += kStep) whole(at);
  if (at < count) rest(at, count - at);
}
