#include "view/ScalerRows.h"

#include <cstddef>
#include <cstring>

#include "base/Cpu.h"

namespace scaler_rows {

namespace {

int Channel(uint32_t pixel, int c) { return static_cast<int>((pixel >> (8 * c)) & 0xFFu); }
int Low(uint32_t pair) { return static_cast<int>(pair & 0xFFFFu); }
int High(uint32_t pair) { return static_cast<int>(pair >> 16); }

// Each byte value is at most 255 by construction: the weights add up to one.
uint32_t Pixel(const int32_t (&bytes)[4]) {
  return static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
         (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

constexpr int kOutBits = kWeightBits + kMidBits;

void Replicate(const uint32_t* source, int count, int factor, uint32_t* out) {
  for (int i = 0; i < count; ++i) {
    for (int j = 0; j < factor; ++j) *out++ = source[i];
  }
}

void BoxRows(const uint32_t* const* rows, const uint32_t* weights, int pairs, int width, int16_t* mid) {
  BoxRowsFrom(rows, weights, pairs, 0, width, mid);
}

void BoxColumns(const int16_t* mid, const BoxTap* taps, const uint32_t* weights, int count, uint32_t* out) {
  for (int i = 0; i < count; ++i) {
    const BoxTap& tap = taps[i];
    const int16_t* m = mid + 4 * tap.first;
    const uint32_t* w = weights + tap.weightAt;
    int32_t bytes[4];
    for (int c = 0; c < 4; ++c) {
      int32_t sum = 0;
      for (int j = 0; j < (tap.count + 1) / 2; ++j) {
        sum += m[8 * j + c] * Low(w[j]) + m[8 * j + 4 + c] * High(w[j]);
      }
      bytes[c] = (sum + (1 << (kOutBits - 1))) >> kOutBits;
    }
    out[i] = Pixel(bytes);
  }
}

void BoxBlocks(const uint32_t* const* rows, int factor, int count, uint32_t* out) {
  const int area = factor * factor;
  for (int i = 0; i < count; ++i) {
    int32_t bytes[4];
    for (int c = 0; c < 4; ++c) {
      int32_t sum = 0;
      for (int r = 0; r < factor; ++r) {
        for (int u = 0; u < factor; ++u) sum += Channel(rows[r][factor * i + u], c);
      }
      bytes[c] = (sum + area / 2) / area;
    }
    out[i] = Pixel(bytes);
  }
}

void LerpColumns(const uint32_t* source, int /*sourceWidth*/, const LerpTap* taps, int count, uint32_t* out) {
  for (int i = 0; i < count; ++i) {
    const LerpTap& tap = taps[i];
    int32_t bytes[4];
    for (int c = 0; c < 4; ++c) {
      int sum = Channel(source[tap.left], c) * (kLerpOne - tap.fraction) + kLerpOne / 2;
      if (tap.fraction != 0) sum += Channel(source[tap.left + 1], c) * tap.fraction;
      bytes[c] = sum >> kLerpBits;
    }
    out[i] = Pixel(bytes);
  }
}

void LerpRows(const uint32_t* upper, const uint32_t* lower, int lowerWeight, int count, uint32_t* out) {
  for (int i = 0; i < count; ++i) {
    int32_t bytes[4];
    for (int c = 0; c < 4; ++c) {
      const int sum = Channel(upper[i], c) * (kLerpOne - lowerWeight) + Channel(lower[i], c) * lowerWeight;
      bytes[c] = (sum + kLerpOne / 2) >> kLerpBits;
    }
    out[i] = Pixel(bytes);
  }
}

void Reverse(const uint32_t* source, int count, uint32_t* out) {
  for (int i = 0; i < count; ++i) out[i] = source[count - 1 - i];
}

void ReplicateReversed(const uint32_t* source, int count, int factor, uint32_t* out) {
  for (int i = count - 1; i >= 0; --i) {
    for (int j = 0; j < factor; ++j) *out++ = source[i];
  }
}

}  // namespace

void BoxRowsFrom(const uint32_t* const* rows, const uint32_t* weights, int pairs, int from, int width, int16_t* mid) {
  for (int x = from; x < width; ++x) {
    for (int c = 0; c < 4; ++c) {
      int32_t sum = 0;
      for (int j = 0; j < pairs; ++j) {
        sum += Channel(rows[2 * j][x], c) * Low(weights[j]) + Channel(rows[2 * j + 1][x], c) * High(weights[j]);
      }
      mid[4 * x + c] = static_cast<int16_t>((sum + kMidOne / 2) >> kMidBits);
    }
  }
}

const RowKernels kPortableRows = {Replicate, BoxRows, BoxColumns,        BoxBlocks,  LerpColumns,
                                  LerpRows,  Reverse, ReplicateReversed, PickColumns};

const RowKernels& Rows() { return cpu::Pick(kPortableRows, Sse2Rows(), Avx2Rows(), nullptr); }

void ReplicateSpan(const RowKernels& kernels, const uint32_t* in, int left, int right, int k, uint32_t* out) {
  if (k == 1) {
    std::memcpy(out, in + left, static_cast<size_t>(right - left) * sizeof(uint32_t));
    return;
  }
  int x = left;
  for (; x < right && x % k != 0; ++x) *out++ = in[x / k];
  const int blocks = (right - x) / k;
  kernels.replicate(in + x / k, blocks, k, out);
  out += static_cast<std::ptrdiff_t>(blocks) * k;
  for (x += blocks * k; x < right; ++x) *out++ = in[x / k];
}

void ReplicateSpanReversed(const RowKernels& kernels, const uint32_t* in, int width, int left, int right, int k,
                           uint32_t* out) {
  if (k == 1) {
    kernels.reverse(in + width - right, right - left, out);
    return;
  }
  int x = left;
  for (; x < right && x % k != 0; ++x) *out++ = in[width - 1 - x / k];
  const int blocks = (right - x) / k;
  kernels.replicateReversed(in + width - x / k - blocks, blocks, k, out);
  out += static_cast<std::ptrdiff_t>(blocks) * k;
  for (x += blocks * k; x < right; ++x) *out++ = in[width - 1 - x / k];
}

void PickColumns(const uint32_t* source, const int32_t* offsets, int span, int blocks, uint32_t* out,
                 const uint32_t* next) {
  for (int b = 0; b < blocks; ++b) {
    if (next != nullptr) __builtin_prefetch(next + static_cast<std::ptrdiff_t>(b) * span);
    for (int j = 0; j < 8; ++j) *out++ = source[b * span + offsets[j]];
  }
}

void Gather(const uint32_t* source, const int32_t* index, int count, uint32_t* out, const uint32_t* next) {
  // Rows are skipped when shrinking, which the processor's own read-ahead cannot foresee.
  constexpr int kLine = 64 / sizeof(uint32_t);
  int i = 0;
  if (next != nullptr) {
    for (; i + kLine <= count; i += kLine) {
      for (int x = index[i]; x <= index[i + kLine - 1]; x += kLine) __builtin_prefetch(next + x);
      for (int j = i; j < i + kLine; ++j) out[j] = source[index[j]];
    }
  }
  for (; i < count; ++i) out[i] = source[index[i]];
}

}  // namespace scaler_rows
