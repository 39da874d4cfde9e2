#include "view/ColorFilterInternal.h"

#if defined(__x86_64__) && defined(__GNUC__)
#define GLIMMERLUX_FILTER_X86 1
#include <immintrin.h>

#include <bit>
#endif

namespace color_filter {

#ifdef GLIMMERLUX_FILTER_X86

namespace {

// A pixel adds three table rows, so the time goes into finding the rows: two scalar operations
// per row index. The BMI2 path finds blue with one pdep, and rorx leaves the pixel in place,
// which spares the register copies.
// It keeps the legacy SSE encoding on purpose: on Intel cores the VEX form of an add with an
// indexed memory operand splits into two operations, and an AVX2 build of the same loop
// measured about a fifth slower, so there is no AVX2 path.
#define GLIMMERLUX_BMI2 [[gnu::target("sse4.1,bmi,bmi2")]]

constexpr int kRowShift = 6;  // log2(kSumRowBytes)
constexpr uint32_t kRowMask = 0xFFu << kRowShift;
constexpr size_t kStep = 8;  // pixels per loop pass
static_assert(kSumRowBytes == 1 << kRowShift);

inline __m128i LoadRow(const char* at) { return _mm_load_si128(reinterpret_cast<const __m128i*>(at)); }
inline __m128i LoadPixels(const uint32_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
inline void StorePixels(uint32_t* at, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v); }

// One pixel's sums in lanes blue, green, red, 0.
inline __m128i SumsSse2(uint32_t p, const char* rows) {
  __m128i s = LoadRow(rows + ((p << kRowShift) & kRowMask));
  s = _mm_add_epi32(s, LoadRow(rows + 16 + ((p >> (8 - kRowShift)) & kRowMask)));
  return _mm_add_epi32(s, LoadRow(rows + 32 + ((p >> (16 - kRowShift)) & kRowMask)));
}

// Four pixels' new colour bytes, their fourth bytes 0.
inline __m128i FourSse2(const uint32_t* in, const char* rows) {
  // Flooring instead of truncating differs only for negative sums, which clamp to 0 either way.
  const __m128i s0 = _mm_srai_epi32(SumsSse2(in[0], rows), 8);
  const __m128i s1 = _mm_srai_epi32(SumsSse2(in[1], rows), 8);
  const __m128i s2 = _mm_srai_epi32(SumsSse2(in[2], rows), 8);
  const __m128i s3 = _mm_srai_epi32(SumsSse2(in[3], rows), 8);
  return _mm_packus_epi16(_mm_packs_epi32(s0, s1), _mm_packs_epi32(s2, s3));
}

// A run of one colour, the common case on a desktop, costs a compare per pixel: a block whose
// colours all equal the last one computed reuses its result. After a block that is not one
// colour the next few go without the compare, so noise pays almost nothing for it. Any pixel
// and its filtered colour make a valid pair, so the shortcut is exact whichever pixel it holds.
// The fourth byte may differ within a run and is kept pixel by pixel.
constexpr size_t kBlock = 4 * kStep;
constexpr int kUncheckedBlocks = 4;

struct Flat {
  __m128i in;   // the colour bytes, fourth byte 0, in every lane
  __m128i out;  // their filtered colour, fourth byte 0, in every lane
};

// The last lane of each, the colour the next block compares with.
inline Flat LastOf(__m128i in, __m128i out, __m128i colour) {
  return {_mm_shuffle_epi32(_mm_and_si128(in, colour), _MM_SHUFFLE(3, 3, 3, 3)),
          _mm_shuffle_epi32(out, _MM_SHUFFLE(3, 3, 3, 3))};
}

// Whether the colour bytes of `pixels` pixels (a multiple of 4) all equal `flat.in`.
inline bool AllFlat(const uint32_t* at, size_t pixels, const Flat& flat, __m128i colour) {
  __m128i diff = _mm_setzero_si128();
  for (size_t j = 0; j < pixels; j += 4) diff = _mm_or_si128(diff, _mm_xor_si128(LoadPixels(at + j), flat.in));
  diff = _mm_and_si128(diff, colour);
  return _mm_movemask_epi8(_mm_cmpeq_epi32(diff, _mm_setzero_si128())) == 0xFFFF;
}

size_t MatrixSse2(uint32_t* pixels, size_t count, const char* rows) {
  const __m128i fourth = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  const uint32_t first[4] = {pixels[0], pixels[0], pixels[0], pixels[0]};
  Flat flat = LastOf(LoadPixels(first), FourSse2(first, rows), colour);
  size_t i = 0;
  int unchecked = 0;
  for (; i + kBlock <= count; i += kBlock) {
    uint32_t* block = pixels + i;
    if (unchecked > 0) {
      --unchecked;
    } else if (AllFlat(block, 4, flat, colour) && AllFlat(block + 4, kBlock - 4, flat, colour)) {
      for (size_t j = 0; j < kBlock; j += 4) {
        StorePixels(block + j, _mm_or_si128(flat.out, _mm_and_si128(LoadPixels(block + j), fourth)));
      }
      continue;
    } else {
      unchecked = kUncheckedBlocks;
    }
    __m128i in, out;
    for (size_t j = 0; j < kBlock; j += 4) {
      in = LoadPixels(block + j);
      out = FourSse2(block + j, rows);
      StorePixels(block + j, _mm_or_si128(out, _mm_and_si128(in, fourth)));
    }
    if (unchecked == 0) flat = LastOf(in, out, colour);
  }
  for (; i + kStep <= count; i += kStep) {
    uint32_t* at = pixels + i;
    const __m128i lo = FourSse2(at, rows);
    const __m128i hi = FourSse2(at + 4, rows);
    StorePixels(at, _mm_or_si128(lo, _mm_and_si128(LoadPixels(at), fourth)));
    StorePixels(at + 4, _mm_or_si128(hi, _mm_and_si128(LoadPixels(at + 4), fourth)));
  }
  return i;
}

GLIMMERLUX_BMI2 inline __m128i SumsBmi2(uint64_t p, const char* rows) {
  const uint32_t green = std::rotr(static_cast<uint32_t>(p), 8 - kRowShift) & kRowMask;
  const uint32_t red = std::rotr(static_cast<uint32_t>(p), 16 - kRowShift) & kRowMask;
  // Last, so the compiler may overwrite the pixel; 64 bits, so it needs no zero-extending copy.
  const uint64_t blue = _pdep_u64(p, kRowMask);
  __m128i s = LoadRow(rows + blue);
  s = _mm_add_epi32(s, LoadRow(rows + 16 + green));
  return _mm_add_epi32(s, LoadRow(rows + 32 + red));
}

GLIMMERLUX_BMI2 inline __m128i FourBmi2(const uint32_t* in, const char* rows) {
  // Saturating to 0..65535 and then dropping the low byte is the same as dividing and then
  // clamping to 0..255.
  const __m128i s01 = _mm_packus_epi32(SumsBmi2(in[0], rows), SumsBmi2(in[1], rows));
  const __m128i s23 = _mm_packus_epi32(SumsBmi2(in[2], rows), SumsBmi2(in[3], rows));
  return _mm_packus_epi16(_mm_srli_epi16(s01, 8), _mm_srli_epi16(s23, 8));
}

GLIMMERLUX_BMI2 size_t MatrixBmi2(uint32_t* pixels, size_t count, const char* rows) {
  const __m128i fourth = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  const uint32_t first[4] = {pixels[0], pixels[0], pixels[0], pixels[0]};
  Flat flat = LastOf(LoadPixels(first), FourBmi2(first, rows), colour);
  size_t i = 0;
  int unchecked = 0;
  for (; i + kBlock <= count; i += kBlock) {
    uint32_t* block = pixels + i;
    if (unchecked > 0) {
      --unchecked;
    } else if (_mm_testz_si128(_mm_xor_si128(LoadPixels(block), flat.in), colour) &&
               AllFlat(block + 4, kBlock - 4, flat, colour)) {
      for (size_t j = 0; j < kBlock; j += 4) {
        StorePixels(block + j, _mm_blendv_epi8(flat.out, LoadPixels(block + j), fourth));
      }
      continue;
    } else {
      unchecked = kUncheckedBlocks;
    }
    __m128i in, out;
    for (size_t j = 0; j < kBlock; j += 4) {
      in = LoadPixels(block + j);
      out = FourBmi2(block + j, rows);
      StorePixels(block + j, _mm_blendv_epi8(out, in, fourth));
    }
    if (unchecked == 0) flat = LastOf(in, out, colour);
  }
  for (; i + kStep <= count; i += kStep) {
    uint32_t* at = pixels + i;
    const __m128i lo = FourBmi2(at, rows);
    const __m128i hi = FourBmi2(at + 4, rows);
    StorePixels(at, _mm_blendv_epi8(lo, LoadPixels(at), fourth));
    StorePixels(at + 4, _mm_blendv_epi8(hi, LoadPixels(at + 4), fourth));
  }
  return i;
}

// 255 - v is v with its bits flipped; the fourth byte is flipped by nothing.
size_t InvertSse2(uint32_t* pixels, size_t count) {
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  size_t i = 0;
  for (; i + kStep <= count; i += kStep) {
    uint32_t* at = pixels + i;
    StorePixels(at, _mm_xor_si128(LoadPixels(at), colour));
    StorePixels(at + 4, _mm_xor_si128(LoadPixels(at + 4), colour));
  }
  return i;
}

bool HasBmi2() {
  static const bool has = __builtin_cpu_supports("sse4.1") && __builtin_cpu_supports("bmi2");
  return has;
}

}  // namespace

#endif

bool PathAvailable(Path path) {
  switch (path) {
    case Path::kPlain:
      return true;
#ifdef GLIMMERLUX_FILTER_X86
    case Path::kSse2:
      return true;
    case Path::kBmi2:
      return HasBmi2();
#endif
    default:
      return false;
  }
}

Path FastestPath() {
  if (PathAvailable(Path::kBmi2)) return Path::kBmi2;
  if (PathAvailable(Path::kSse2)) return Path::kSse2;
  return Path::kPlain;
}

void FilterPixels(Path path, uint32_t* pixels, size_t count, TColorFilterMode mode) {
  size_t done = 0;
#ifdef GLIMMERLUX_FILTER_X86
  const int matrix = MatrixIndex(mode);
  const char* rows = matrix < 0 ? nullptr : reinterpret_cast<const char*>(SumRows(matrix));
  if (path != Path::kPlain && mode == cfInvert) {
    done = InvertSse2(pixels, count);
  } else if (path == Path::kSse2 && rows) {
    done = MatrixSse2(pixels, count, rows);
  } else if (path == Path::kBmi2 && rows) {
    done = MatrixBmi2(pixels, count, rows);
  }
#else
  (void)path;
#endif
  FilterPlain(pixels + done, count - done, mode);
}

}  // namespace color_filter
