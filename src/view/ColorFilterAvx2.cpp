#include "view/ColorFilterInternal.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>

namespace color_filter {

namespace {

// The table work stays scalar (AVX2 gathers measured slower than scalar loads) and the unpacking
// goes to vector code, eight pixels' packed sums at a time, straight from the registers: a
// buffer in between measured slower, most of all in the paint, where its stores queue up behind
// the picture's.
#define GLIMMERLUX_AVX2 [[gnu::target("avx2,popcnt,bmi")]]
// Everything taking or giving 256-bit values is inlined: 64-bit Windows does not align the
// stack to 32 bytes, so such values must never be passed on it.
#define GLIMMERLUX_AVX2_INLINE [[gnu::target("avx2,popcnt,bmi"), gnu::always_inline]] inline

constexpr size_t kBlock = 64;  // pixels checked for a run of one colour at a time

struct Unpack {
  __m256i factor;
  __m256i fourth;
};

GLIMMERLUX_AVX2_INLINE Unpack UnpackFor() {
  const auto& f = kWordFactor;
  return {
      _mm256_setr_epi16(f[0], f[1], f[2], f[3], f[0], f[1], f[2], f[3], f[0], f[1], f[2], f[3], f[0], f[1], f[2], f[3]),
      _mm256_set1_epi32(static_cast<int>(0xFF000000u))};
}

// Four sums' floored quotients as 16-bit lanes 0, blue, green, red; the pack clamps them.
GLIMMERLUX_AVX2_INLINE __m256i FieldsOf(__m256i sums, const Unpack& u) {
  return _mm256_srai_epi16(_mm256_mullo_epi16(sums, u.factor), 16 - kResultBits);
}

// Eight pixels' colours written over them from their packed sums, pixels 0, 1, 4, 5 in `a` and
// 2, 3, 6, 7 in `b` (packus works within 128-bit halves), keeping the fourth bytes.
GLIMMERLUX_AVX2_INLINE void StoreEight(uint32_t* pixels, __m256i a, __m256i b, const Unpack& u) {
  __m256i* at = reinterpret_cast<__m256i*>(pixels);
  const __m256i fourth = _mm256_and_si256(_mm256_loadu_si256(at), u.fourth);
  const __m256i colours = _mm256_srli_epi32(_mm256_packus_epi16(FieldsOf(a, u), FieldsOf(b, u)), 8);  // 0, b, g, r
  _mm256_storeu_si256(at, _mm256_or_si256(colours, fourth));
}

GLIMMERLUX_AVX2_INLINE void FilterEight(uint32_t* pixels, const PackedSums& packed, const Unpack& u) {
  long long s[8];
  for (int j = 0; j < 8; ++j) s[j] = static_cast<long long>(PackedSumOf(pixels[j], packed));
  StoreEight(pixels, _mm256_set_epi64x(s[5], s[4], s[1], s[0]), _mm256_set_epi64x(s[7], s[6], s[3], s[2]), u);
}

// A desktop repeats itself along a row: most pixels have the colour of the one before them.
// A block sums only the pixels where the colour changes and hands each sum on to the pixels
// after it; equal colours give equal results, so this is exact. Noise pays one compare of its
// first eight pixels per block and goes the plain way.
GLIMMERLUX_AVX2_INLINE __m256i ColoursAt(const uint32_t* at) {
  return _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)), _mm256_set1_epi32(0x00FFFFFF));
}

GLIMMERLUX_AVX2_INLINE uint32_t ChangesOf(__m256i colours, __m256i before) {
  return ~static_cast<uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(colours, before)))) & 0xFF;
}

// Bit i set where pixel i of a block has another colour than pixel i - 1; pixel 0 always counts
// as a change, so a block never looks before itself.
GLIMMERLUX_AVX2_INLINE uint32_t FirstChanges(const uint32_t* block) {
  const __m256i colours = ColoursAt(block);
  return ChangesOf(colours, _mm256_permutevar8x32_epi32(colours, _mm256_setr_epi32(0, 0, 1, 2, 3, 4, 5, 6))) | 1;
}

GLIMMERLUX_AVX2_INLINE uint64_t Changes(const uint32_t* block, uint32_t first) {
  uint64_t changes = first;
  for (size_t j = 8; j < kBlock; j += 8)
    changes |= static_cast<uint64_t>(ChangesOf(ColoursAt(block + j), ColoursAt(block + j - 1))) << j;
  return changes;
}

// Past these many changes summing every pixel is cheaper than handing sums on.
constexpr int kMostChangesInFirstEight = 5;
constexpr int kMostChanges = kBlock / 2;

// For eight pixels whose changes are the bits of `changes`, how many changes each sees up to
// and including itself: the number of the sum it takes, counted on from the group before.
struct ChangeCounts {
  uint8_t upTo[256][8];
  constexpr ChangeCounts() : upTo() {
    for (int changes = 0; changes < 256; ++changes) {
      int count = 0;
      for (int j = 0; j < 8; ++j) upTo[changes][j] = static_cast<uint8_t>(count += changes >> j & 1);
    }
  }
};
constexpr ChangeCounts kChangeCounts;

GLIMMERLUX_AVX2_INLINE void FilterChanges(uint32_t* block, uint64_t changes, const PackedSums& packed,
                                          const Unpack& u) {
  // sums[c] is the sum at the c-th change, counted from 1. They are read back one by one: a
  // vector load of fresh scalar stores would wait for every store before them, the picture's
  // too, to reach the cache.
  uint64_t sums[kBlock + 1];
  size_t count = 0;
  for (uint64_t left = changes; left != 0; left &= left - 1)
    sums[++count] = PackedSumOf(block[__builtin_ctzll(left)], packed);
  const uint64_t* before = sums;
  for (size_t j = 0; j < kBlock; j += 8) {
    const uint32_t group = static_cast<uint32_t>(changes >> j) & 0xFF;
    const uint8_t* c = kChangeCounts.upTo[group];
    const auto s = [&](int k) { return static_cast<long long>(before[c[k]]); };
    StoreEight(block + j, _mm256_set_epi64x(s(5), s(4), s(1), s(0)), _mm256_set_epi64x(s(7), s(6), s(3), s(2)), u);
    before += __builtin_popcount(group);
  }
}

GLIMMERLUX_AVX2_INLINE void StoreFlat(uint32_t* block, uint32_t colour, const Unpack& u) {
  const __m256i out = _mm256_set1_epi32(static_cast<int>(colour));
  auto* at = reinterpret_cast<__m256i*>(block);
  for (size_t j = 0; j < kBlock / 8; ++j) {
    _mm256_storeu_si256(at + j, _mm256_or_si256(out, _mm256_and_si256(_mm256_loadu_si256(at + j), u.fourth)));
  }
}

GLIMMERLUX_AVX2 size_t Matrix(uint32_t* pixels, size_t count, const PackedSums& packed, TFilteredPiece piece,
                              void* context) {
  const auto told = [&](const uint32_t* at, size_t n) {
    if (piece) piece(context, static_cast<size_t>(at - pixels), static_cast<size_t>(at - pixels) + n);
  };
  const Unpack u = UnpackFor();
  size_t i = 0;
  for (; i + kBlock <= count; i += kBlock) {
    uint32_t* block = pixels + i;
    const uint32_t first = FirstChanges(block);
    const uint64_t changes = __builtin_popcount(first) > kMostChangesInFirstEight ? ~0ull : Changes(block, first);
    if (changes == 1) {
      StoreFlat(block, ColourOfSum(PackedSumOf(block[0], packed)), u);
    } else if (__builtin_popcountll(changes) <= kMostChanges) {
      FilterChanges(block, changes, packed, u);
    } else {
      for (size_t j = 0; j < kBlock; j += 8) FilterEight(block + j, packed, u);
    }
    told(block, kBlock);
  }
  for (; i + 8 <= count; i += 8) {
    FilterEight(pixels + i, packed, u);
    told(pixels + i, 8);
  }
  return i;
}

}  // namespace

size_t MatrixAvx2(uint32_t* pixels, size_t count, const PackedSums& packed, TFilteredPiece piece, void* context) {
  return count < 8 ? 0 : Matrix(pixels, count, packed, piece, context);
}

bool HasAvx2() {
  static const bool has =
      __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("bmi");
  return has;
}

}  // namespace color_filter

#else

namespace color_filter {
size_t MatrixAvx2(uint32_t*, size_t, const PackedSums&, TFilteredPiece, void*) { return 0; }
bool HasAvx2() { return false; }
}  // namespace color_filter

#endif
