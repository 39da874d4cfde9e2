#include "base/Cpu.h"
#include "base/Steps.h"
#include "view/ColorFilterInternal.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <emmintrin.h>
#endif

namespace color_filter {

#ifdef GLIMMERLUX_X86_SIMD

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

void Matrix(uint32_t* pixels, size_t count, int matrix) {
  if (count == 0) return;
  const PackedSums& packed = Packed(matrix);
  const Unpack u = UnpackFor();
  Flat flat = FlatOf(pixels[0], PackedSumOf(pixels[0], packed));
  int unchecked = 0;
  ForEachStep<kBlock>(
      count,
      [&](size_t at) {
        uint32_t* block = pixels + at;
        if (unchecked > 0) {
          --unchecked;
        } else if (AllFlat(block, flat)) {
          for (size_t j = 0; j < kBlock; j += 4)
            Store(block + j, _mm_or_si128(flat.out, _mm_and_si128(Load(block + j), u.fourth)));
          return;
        } else {
          unchecked = kUncheckedBlocks;
        }
        const uint32_t last = block[kBlock - 1];
        for (size_t j = 0; j < kBlock; j += 4) FilterFour(block + j, packed, u);
        if (unchecked == 0) flat = FlatOf(last, PackedSumOf(last, packed));
      },
      [&](size_t at, size_t n) {
        ForEachStep<4>(
            n, [&](size_t i) { FilterFour(pixels + at + i, packed, u); },
            [&](size_t i, size_t m) { kPlainFilter.matrix(pixels + at + i, m, matrix); });
      });
}

// 255 - v is v with its bits flipped; the fourth byte is flipped by nothing.
void Invert(uint32_t* pixels, size_t count) {
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  ForEachStep<8>(
      count,
      [&](size_t i) {
        uint32_t* at = pixels + i;
        Store(at, _mm_xor_si128(Load(at), colour));
        Store(at + 4, _mm_xor_si128(Load(at + 4), colour));
      },
      [&](size_t at, size_t n) { kPlainFilter.invert(pixels + at, n); });
}

constexpr FilterKernels kSse2Filter = {Invert, Matrix, nullptr};

}  // namespace

const FilterKernels* Sse2Filter() { return &kSse2Filter; }

#else

const FilterKernels* Sse2Filter() { return nullptr; }

#endif

}  // namespace color_filter
