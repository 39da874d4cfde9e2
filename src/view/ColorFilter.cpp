#include "view/ColorFilter.h"

#include <algorithm>

#include "base/Arith.h"
#include "base/Cpu.h"
#include "view/ColorFilterInternal.h"

namespace color_filter {

namespace {

// Rows give output red, green, blue; columns weigh input red, green, blue. Each correction
// is I + E * (I - S) with the simulation S of the same deficiency, already multiplied out.
constexpr double kMatrices[kMatrixCount][kMatrixEntries] = {
    {0.3, 0.59, 0.11, 0.3, 0.59, 0.11, 0.3, 0.59, 0.11},              // grayscale
    {0.393, 0.769, 0.189, 0.349, 0.686, 0.168, 0.272, 0.534, 0.131},  // sepia
    {0.567, 0.433, 0, 0.558, 0.442, 0, 0, 0.242, 0.758},              // protanopia
    {0.625, 0.375, 0, 0.7, 0.3, 0, 0, 0.3, 0.7},                      // deuteranopia
    {0.95, 0.05, 0, 0, 0.433, 0.567, 0, 0.475, 0.525},                // tritanopia
    {1, 0, 0, -0.2549, 1.2549, 0, 0.3031, -0.5451, 1.242},            // protanopia correction
    {1, 0, 0, -0.4375, 1.4375, 0, 0.2625, -0.5625, 1.3},              // deuteranopia correction
    {1, 0, 0, 0.035, 1.532, -0.567, 0.035, -0.51, 1.475},             // tritanopia correction
};

struct Tables {
  ProductTables products;
  uint8_t invert[256];
  PackedSums packed[kMatrixCount];
  bool built = false;
};

// Static storage: built once, shared by all views, never freed.
Tables tables;

// Entry index of output channel `out` and input channel `in`, both 0 = blue, 1 = green, 2 = red.
constexpr int EntryOf(int out, int in) { return (2 - out) * 3 + (2 - in); }

int Clamp255(int32_t v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v); }

void BuildPacked(const int32_t (&products)[kMatrixEntries][256], PackedSums& packed) {
  for (int in = 0; in < 3; ++in) {
    for (int v = 0; v < 256; ++v) {
      uint64_t entry = 0;
      for (int out = 0; out < 3; ++out) {
        // Wrapping unsigned arithmetic: a negative product borrows from the field above, and
        // the three entries of a pixel pay the borrow back.
        const int64_t field = products[EntryOf(out, in)][v] + (in == 0 && out < 2 ? kFieldBias : 0);
        entry += static_cast<uint64_t>(field) << kFieldShift[out];
      }
      packed.byInput[in][v] = entry;
    }
  }
}

}  // namespace

const ProductTables& Products() { return tables.products; }
const uint8_t* InvertTable() { return tables.invert; }
const PackedSums& Packed(int matrix) { return tables.packed[matrix]; }

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

}  // namespace

const FilterKernels kPlainFilter = {InvertPlain, MatrixPlain, nullptr};

void FilterPlain(uint32_t* pixels, size_t count, TColorFilterMode mode) {
  if (mode == cfInvert) {
    InvertPlain(pixels, count);
    return;
  }
  const int matrix = MatrixIndex(mode);
  if (matrix >= 0) MatrixPlain(pixels, count, matrix);
}

void FilterPixels(uint32_t* pixels, size_t count, TColorFilterMode mode, TFilteredPiece piece, void* context) {
  const FilterKernels& loops = cpu::Pick(kPlainFilter, Sse2Filter(), Avx2Filter(), nullptr);
  const int matrix = MatrixIndex(mode);
  if (piece != nullptr && matrix >= 0 && loops.matrixTelling != nullptr) {
    loops.matrixTelling(pixels, count, matrix, piece, context);
  } else if (piece != nullptr) {
    // The others go in short runs of their own.
    constexpr size_t kPiece = 64;
    for (size_t at = 0; at < count; at += kPiece) {
      const size_t n = count - at < kPiece ? count - at : kPiece;
      FilterPixels(pixels + at, n, mode);
      piece(context, at, at + n);
    }
  } else if (mode == cfInvert) {
    loops.invert(pixels, count);
  } else if (matrix >= 0) {
    loops.matrix(pixels, count, matrix);
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
    BuildPacked(tables.products[m], tables.packed[m]);
  }
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

void ApplyColorFilter(uint32_t* pixels, size_t count, TColorFilterMode mode, TFilteredPiece piece, void* context) {
  using namespace color_filter;
  BuildFilterTables();
  if (mode == cfInvert || MatrixIndex(mode) >= 0) {
    FilterPixels(pixels, count, mode, piece, context);
  } else if (count > 0) {
    piece(context, 0, count);
  }
}

void ApplyColorFilter(Bitmap& bitmap, TColorFilterMode mode, TRect area) {
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
