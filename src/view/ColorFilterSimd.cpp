#include "view/ColorFilterInternal.h"

#if defined(__x86_64__) && defined(__GNUC__)
#define GLIMMERLUX_FILTER_X86 1
#include <emmintrin.h>
#endif

namespace color_filter {

#ifdef GLIMMERLUX_FILTER_X86

namespace {

// The baseline every x86-64 processor runs: the same packed table sums as the AVX2 loop, taken
// apart two pixels per vector straight from the registers.
constexpr size_t kBlock = 32;  // pixels checked for a run of one colour at a time

inline __m128i Load(const void* at) { return _mm_loadu_si128(static_cast<const __m128i*>(at)); }
inline void Store(void* at, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(at), v); }

struct Unpack {
  __m128i factor;
  __m128i fourth;
};

Unpack UnpackFor() {
  const auto& f = kWordFactor;
  return {_mm_setr_epi16(f[0], f[1], f[2], f[3], f[0], f[1], f[2], f[3]),
          _mm_set1_epi32(static_cast<int>(0xFF000000u))};
}

// Two sums' floored quotients as 16-bit lanes 0, blue, green, red; the pack clamps them.
inline __m128i FieldsOf(__m128i sums, const Unpack& u) {
  return _mm_srai_epi16(_mm_mullo_epi16(sums, u.factor), 16 - kResultBits);
}

// Four pixels' colours written over them, keeping the fourth bytes.
inline void FilterFour(uint32_t* pixels, const PackedSums& packed, const Unpack& u) {
  long long s[4];
  for (int j = 0; j < 4; ++j) s[j] = static_cast<long long>(PackedSumOf(pixels[j], packed));
  const __m128i bytes =
      _mm_packus_epi16(FieldsOf(_mm_set_epi64x(s[1], s[0]), u), FieldsOf(_mm_set_epi64x(s[3], s[2]), u));
  const __m128i colours = _mm_srli_epi32(bytes, 8);
  Store(pixels, _mm_or_si128(colours, _mm_and_si128(Load(pixels), u.fourth)));
}

// A run of one colour, the common case on a desktop, costs a compare per pixel: a block whose
// colours all equal the last one computed reuses its result. After a block that is not one
// colour the next few go without the compare, so noise pays almost nothing for it. Any pixel
// and its filtered colour make a valid pair, so the shortcut is exact whichever pixel it holds.
constexpr int kUncheckedBlocks = 4;

struct Flat {
  __m128i in;   // the colour bytes, fourth byte 0, in every lane
  __m128i out;  // their filtered colour, fourth byte 0, in every lane
};

Flat FlatOf(uint32_t pixel, uint64_t sum) {
  return {_mm_set1_epi32(static_cast<int>(pixel & 0x00FFFFFFu)), _mm_set1_epi32(static_cast<int>(ColourOfSum(sum)))};
}

inline bool AllFlat(const uint32_t* block, const Flat& flat) {
  __m128i diff = _mm_setzero_si128();
  for (size_t j = 0; j < kBlock; j += 4) diff = _mm_or_si128(diff, _mm_xor_si128(Load(block + j), flat.in));
  diff = _mm_and_si128(diff, _mm_set1_epi32(0x00FFFFFF));
  return _mm_movemask_epi8(_mm_cmpeq_epi32(diff, _mm_setzero_si128())) == 0xFFFF;
}

size_t MatrixSse2(uint32_t* pixels, size_t count, const PackedSums& packed) {
  if (count < 4) return 0;
  const Unpack u = UnpackFor();
  Flat flat = FlatOf(pixels[0], PackedSumOf(pixels[0], packed));
  int unchecked = 0;
  size_t i = 0;
  for (; i + kBlock <= count; i += kBlock) {
    uint32_t* block = pixels + i;
    if (unchecked > 0) {
      --unchecked;
    } else if (AllFlat(block, flat)) {
      for (size_t j = 0; j < kBlock; j += 4)
        Store(block + j, _mm_or_si128(flat.out, _mm_and_si128(Load(block + j), u.fourth)));
      continue;
    } else {
      unchecked = kUncheckedBlocks;
    }
    const uint32_t last = block[kBlock - 1];
    for (size_t j = 0; j < kBlock; j += 4) FilterFour(block + j, packed, u);
    if (unchecked == 0) flat = FlatOf(last, PackedSumOf(last, packed));
  }
  for (; i + 4 <= count; i += 4) FilterFour(pixels + i, packed, u);
  return i;
}

// 255 - v is v with its bits flipped; the fourth byte is flipped by nothing.
size_t InvertSse2(uint32_t* pixels, size_t count) {
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    uint32_t* at = pixels + i;
    Store(at, _mm_xor_si128(Load(at), colour));
    Store(at + 4, _mm_xor_si128(Load(at + 4), colour));
  }
  return i;
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
    case Path::kAvx2:
      return HasAvx2();
#endif
    default:
      return false;
  }
}

Path FastestPath() {
  if (PathAvailable(Path::kAvx2)) return Path::kAvx2;
  if (PathAvailable(Path::kSse2)) return Path::kSse2;
  return Path::kPlain;
}

void FilterPixels(Path path, uint32_t* pixels, size_t count, TColorFilterMode mode, TFilteredPiece piece,
                  void* context) {
  size_t done = 0;
#ifdef GLIMMERLUX_FILTER_X86
  const int matrix = MatrixIndex(mode);
  if (path == Path::kAvx2 && matrix >= 0) {
    // The loop that matters tells its blocks as it stores them.
    done = MatrixAvx2(pixels, count, Packed(matrix), piece, context);
    FilterPlain(pixels + done, count - done, mode);
    if (piece && done < count) piece(context, done, count);
    return;
  }
  if (piece) {
    // The others go in short runs of their own.
    constexpr size_t kPiece = 64;
    for (size_t at = 0; at < count; at += kPiece) {
      const size_t n = count - at < kPiece ? count - at : kPiece;
      FilterPixels(path, pixels + at, n, mode);
      piece(context, at, at + n);
    }
    return;
  }
  if (path != Path::kPlain && mode == cfInvert) {
    done = InvertSse2(pixels, count);
  } else if (path == Path::kSse2 && matrix >= 0) {
    done = MatrixSse2(pixels, count, Packed(matrix));
  }
#else
  (void)path;
#endif
  FilterPlain(pixels + done, count - done, mode);
#ifndef GLIMMERLUX_FILTER_X86
  if (piece && count > 0) piece(context, 0, count);
#endif
}

}  // namespace color_filter
