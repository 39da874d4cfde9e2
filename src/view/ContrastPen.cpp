#include "view/ContrastPen.h"

#include "base/Cpu.h"

namespace {

void Copy(const uint32_t* from, int count, uint32_t* to) {
  for (int i = 0; i < count; ++i) to[i] = ContrastPixel(from[i]);
}

void Columns(uint32_t* row, const int* columns, int count) {
  for (int i = 0; i < count; ++i) row[columns[i]] = ContrastPixel(row[columns[i]]);
}

void Picks(const uint32_t* source, const PenPick* picks, int count, uint32_t* const* rows, int rowCount) {
  for (int i = 0; i < count; ++i) {
    const uint32_t p = ContrastPixel(source[picks[i].source]);
    for (int r = 0; r < rowCount; ++r) rows[r][picks[i].offset] = p;
  }
}

}  // namespace

const ContrastKernels kPlainPen = {Copy, Columns, Picks};

const ContrastKernels& ContrastPen() { return cpu::Pick(kPlainPen, Sse2Pen(), nullptr, nullptr); }
