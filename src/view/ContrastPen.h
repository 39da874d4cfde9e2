#pragma once

#include <cstdint>

// The grid's pen: black over light pixels, white over dark ones, so the grid shows on any
// picture and does not depend on what an earlier paint left in a pen. The fourth byte stays.
inline uint32_t ContrastPixel(uint32_t p) {
  const uint32_t b = p & 0xFFu;
  const uint32_t g = (p >> 8) & 0xFFu;
  const uint32_t r = (p >> 16) & 0xFFu;
  const bool light = 30 * r + 59 * g + 11 * b >= 128 * 100;
  return (p & 0xFF000000u) | (light ? 0u : 0x00FFFFFFu);
}

// A pen mark taken from pixel `source` of a row and put at `offset` in other rows.
struct PenPick {
  int source;
  int offset;
};

// ContrastPixel over many pixels at once. Every table gives the same bytes as the plain one.
struct ContrastKernels {
  // ContrastPixel of `count` pixels from `from` into `to`, which may be the same pixels.
  void (*copy)(const uint32_t* from, int count, uint32_t* to);
  // ContrastPixel on the pixels of `row` at the `count` columns in `columns`, each once.
  void (*columns)(uint32_t* row, const int* columns, int count);
  // ContrastPixel of each pick's source pixel, put at the pick's offset in every row of `rows`.
  void (*picks)(const uint32_t* source, const PenPick* picks, int count, uint32_t* const* rows, int rowCount);
};

// Plain C++, the reference for the others.
extern const ContrastKernels kPlainPen;
// Null where the build has no such table.
const ContrastKernels* Sse2Pen();

// The fastest table the processor's features allow (base/Cpu.h).
const ContrastKernels& ContrastPen();

inline void ContrastRun(uint32_t* pixels, int count) { ContrastPen().copy(pixels, count, pixels); }
inline void ContrastCopy(const uint32_t* from, int count, uint32_t* to) { ContrastPen().copy(from, count, to); }
inline void ContrastColumns(uint32_t* row, const int* columns, int count) {
  ContrastPen().columns(row, columns, count);
}
inline void ContrastPicks(const uint32_t* source, const PenPick* picks, int count, uint32_t* const* rows,
                          int rowCount) {
  ContrastPen().picks(source, picks, count, rows, rowCount);
}
