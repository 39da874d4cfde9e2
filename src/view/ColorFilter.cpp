#include "view/ColorFilter.h"

#include <algorithm>

#include "base/Arith.h"
#include "base/Bitmap.h"
#include "base/Cpu.h"
#include "view/ColorFilterInternal.h"

namespace color_filter {

namespace {

struct Tables {
  ProductTables products;
  uint8_t invert[256];
  MatrixMultipliers multipliers[kMatrixCount];
  bool built = false;
};

// Static storage: built once, shared by all views, never freed.
Tables tables;

int Clamp255(int32_t v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }

// A multiplier that gives `products` for every v as the header's formula computes it: each v
// bounds it from both sides, and any value within all 255 bounds does (the lowest is taken).
// False where none lies within them or below 2^24, or a value leaves 16 bits.
bool FindMultiplier(const int32_t (&products)[256], int whole, Multiplier& found) {
  constexpr int64_t kOne = int64_t{1} << kMultiplierShift;
  constexpr int64_t kHalf = kOne / 2;
  int64_t low = 0;
  int64_t high = (int64_t{1} << 24) - 1;
  for (int64_t v = 0; v < 256; ++v) {
    const int64_t rest = products[v] - 256 * whole * v;
    if (rest < 0 || rest > 65535) return false;
    if (v == 0) {
      if (rest != 0) return false;
      continue;
    }
    // rest * kOne <= v m + kHalf < (rest + 1) * kOne
    low = std::max(low, (rest * kOne - kHalf + v - 1) / v);
    high = std::min(high, ((rest + 1) * kOne - kHalf - 1) / v);
  }
  if (low > high) return false;
  found = {whole, static_cast<uint32_t>(low)};
  return true;
}

// Every entry's multiplier, and the saturation the loops rely on: a row that subtracts some
// 256 v keeps the rest of its sum within 16 bits.
MatrixMultipliers BuildMultipliers(int matrix) {
  MatrixMultipliers built;
  built.exact = true;
  for (int e = 0; e < kMatrixEntries; ++e) {
    built.exact &= FindMultiplier(tables.products[matrix][e], WholeOf(matrix, e), built.entry[e]);
  }
  for (int out = 0; out < 3 && built.exact; ++out) {
    int64_t most = 0;
    bool subtracts = false;
    for (int in = 0; in < 3; ++in) {
      const int e = EntryOf(out, in);
      most += tables.products[matrix][e][255] - 256 * 255 * built.entry[e].whole;
      subtracts |= built.entry[e].whole < 0;
    }
    built.exact = !subtracts || most <= 65535;
  }
  return built;
}

}  // namespace

const ProductTables& Products() { return tables.products; }
const uint8_t* InvertTable() { return tables.invert; }
const MatrixMultipliers& Multipliers(int matrix) { return tables.multipliers[matrix]; }

int MatrixIndex(TColorFilterMode mode) {
  switch (mode) {
    case cfGrayscale:
      return 0;
    case cfSepia:
      return 1;
    case cfProtanopia:
      return 2;
    case cfDeuteranopia:
      return 3;
    case cfTritanopia:
      return 4;
    case cfDaltonizeProtanopia:
      return 5;
    case cfDaltonizeDeuteranopia:
      return 6;
    case cfDaltonizeTritanopia:
      return 7;
    default:
      return -1;
  }
}

namespace {

void InvertPlain(uint32_t* pixels, size_t count) {
  // Bytes blue, green, red; the fourth is neither read nor written.
  uint8_t* bytes = reinterpret_cast<uint8_t*>(pixels);
  for (size_t i = 0; i < count; ++i, bytes += 4) {
    for (int c = 0; c < 3; ++c) bytes[c] = tables.invert[bytes[c]];
  }
}

// Straight from the products, not from the packed sums the vector loops use: the reference.
void MatrixPlain(uint32_t* pixels, size_t count, int matrix) {
  const auto& t = tables.products[matrix];
  uint8_t* bytes = reinterpret_cast<uint8_t*>(pixels);
  for (size_t i = 0; i < count; ++i, bytes += 4) {
    const uint8_t b = bytes[0];
    const uint8_t g = bytes[1];
    const uint8_t r = bytes[2];
    const int32_t sumR = t[0][r] + t[1][g] + t[2][b];
    const int32_t sumG = t[3][r] + t[4][g] + t[5][b];
    const int32_t sumB = t[6][r] + t[7][g] + t[8][b];
    // Truncating division, not a shift: -300 / 256 is -1.
    bytes[0] = static_cast<uint8_t>(Clamp255(sumB / 256));
    bytes[1] = static_cast<uint8_t>(Clamp255(sumG / 256));
    bytes[2] = static_cast<uint8_t>(Clamp255(sumR / 256));
  }
}

// The vector loops' granule too: the paint doubles each piece while it is in cache.
constexpr size_t kPiece = 64;

template <int kMatrix>
void MatrixTelling(uint32_t* pixels, size_t count, FilteredPiece piece, void* context) {
  if (piece == nullptr) {
    MatrixPlain(pixels, count, kMatrix);
    return;
  }
  for (size_t at = 0; at < count; at += kPiece) {
    const size_t n = std::min(count - at, kPiece);
    MatrixPlain(pixels + at, n, kMatrix);
    piece(context, at, at + n);
  }
}

}  // namespace

const FilterKernels kPlainFilter = {InvertPlain,
                                    {MatrixTelling<0>, MatrixTelling<1>, MatrixTelling<2>, MatrixTelling<3>,
                                     MatrixTelling<4>, MatrixTelling<5>, MatrixTelling<6>, MatrixTelling<7>}};

void FilterPlain(uint32_t* pixels, size_t count, TColorFilterMode mode) {
  if (mode == cfInvert) {
    InvertPlain(pixels, count);
    return;
  }
  const int matrix = MatrixIndex(mode);
  if (matrix >= 0) MatrixPlain(pixels, count, matrix);
}

void FilterPixels(uint32_t* pixels, size_t count, TColorFilterMode mode, FilteredPiece piece, void* context) {
  const FilterKernels& loops = cpu::Pick(kPlainFilter, Sse2Filter(), Avx2Filter(), Avx512Filter());
  const int matrix = MatrixIndex(mode);
  if (matrix >= 0) {
    (Multipliers(matrix).exact ? loops : kPlainFilter).matrix[matrix](pixels, count, piece, context);
  } else if (mode == cfInvert && piece == nullptr) {
    loops.invert(pixels, count);
  } else if (mode == cfInvert) {
    for (size_t at = 0; at < count; at += kPiece) {
      const size_t n = std::min(count - at, kPiece);
      loops.invert(pixels + at, n);
      piece(context, at, at + n);
    }
  }
}

}  // namespace color_filter

void BuildFilterTables() {
  using namespace color_filter;
  if (tables.built) return;
  for (int v = 0; v < 256; ++v) tables.invert[v] = static_cast<uint8_t>(255 - v);
  for (int m = 0; m < kMatrixCount; ++m) {
    for (int e = 0; e < kMatrixEntries; ++e) {
      for (int v = 0; v < 256; ++v) {
        // The product with v first, in double, then scaled: that order fixes the rounding.
        const double product = kMatrices[m][e] * v;
        tables.products[m][e][v] = Round(product * 256);
      }
    }
  }
  for (int m = 0; m < kMatrixCount; ++m) tables.multipliers[m] = BuildMultipliers(m);
  tables.built = true;
}

void ApplyColorFilter(Bitmap& bitmap, TColorFilterMode mode) {
  using namespace color_filter;
  if (mode == cfNone) return;
  BuildFilterTables();
  if (mode != cfInvert && MatrixIndex(mode) < 0) return;
  if (bitmap.Empty()) return;
  FilterPixels(bitmap.Pixels(), bitmap.PixelCount(), mode);
}

void ApplyColorFilter(uint32_t* pixels, size_t count, TColorFilterMode mode, FilteredPiece piece, void* context) {
  using namespace color_filter;
  BuildFilterTables();
  if (mode == cfInvert || MatrixIndex(mode) >= 0) {
    FilterPixels(pixels, count, mode, piece, context);
  } else if (count > 0) {
    piece(context, 0, count);
  }
}

void ApplyColorFilter(Bitmap& bitmap, TColorFilterMode mode, Rect area) {
  using namespace color_filter;
  if (mode == cfNone) return;
  BuildFilterTables();
  if (mode != cfInvert && MatrixIndex(mode) < 0) return;
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, bitmap.Width());
  area.bottom = std::min(area.bottom, bitmap.Height());
  if (area.left >= area.right) return;
  for (int y = area.top; y < area.bottom; ++y) {
    FilterPixels(bitmap.Row(y) + area.left, static_cast<size_t>(area.right - area.left), mode);
  }
}
