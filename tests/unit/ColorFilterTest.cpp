#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/Bitmap.h"
#include "unit/CpuPaths.h"
#include "view/ColorFilter.h"
#include "view/ColorFilterInternal.h"

namespace {

struct Rgb {
  int r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

uint32_t PixelOf(Rgb c, uint8_t fourth) {
  return static_cast<uint32_t>(fourth) << 24 | static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 |
         static_cast<uint32_t>(c.b);
}

Rgb RgbOf(uint32_t p) {
  return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

constexpr TColorFilterMode kFilterModes[] = {
    cfGrayscale,
    cfSepia,
    cfInvert,
    cfProtanopia,
    cfDeuteranopia,
    cfTritanopia,
    cfDaltonizeProtanopia,
    cfDaltonizeDeuteranopia,
    cfDaltonizeTritanopia,
};

struct ColorCase {
  Rgb in;
  Rgb out[9];  // in the order of kFilterModes
};

// clang-format off
constexpr ColorCase kColorCases[] = {
  {{255, 255, 255}, {{255, 255, 255}, {255, 255, 238}, {0, 0, 0}, {255, 255, 255}, {255, 255, 255},
                     {255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}}},
  {{255, 0, 0},     {{76, 76, 76}, {100, 88, 69}, {0, 255, 255}, {144, 142, 0}, {159, 178, 0},
                     {242, 0, 0}, {255, 0, 77}, {255, 0, 66}, {255, 8, 8}}},
  {{0, 255, 0},     {{150, 150, 150}, {196, 174, 136}, {255, 0, 255}, {110, 112, 61}, {95, 76, 76},
                     {12, 110, 121}, {0, 255, 0}, {0, 255, 0}, {0, 255, 0}}},
  {{0, 0, 255},     {{28, 28, 28}, {48, 42, 33}, {255, 255, 0}, {0, 0, 193}, {0, 0, 178},
                     {0, 144, 133}, {0, 0, 255}, {0, 0, 255}, {0, 0, 255}}},
  {{128, 128, 128}, {{127, 127, 127}, {172, 153, 119}, {127, 127, 127}, {128, 128, 128}, {128, 128, 128},
                     {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}}},
  {{200, 100, 50},  {{124, 124, 124}, {164, 146, 114}, {55, 155, 205}, {156, 155, 62}, {162, 170, 65},
                     {195, 71, 73}, {200, 74, 68}, {200, 56, 61}, {200, 131, 29}}},
  {{0, 0, 0},       {{0, 0, 0}, {0, 0, 0}, {255, 255, 255}, {0, 0, 0}, {0, 0, 0},
                     {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
};
// clang-format on

constexpr int kCaseCount = static_cast<int>(std::size(kColorCases));

// The filter has loops for every instruction set the processor may have.
std::vector<CpuPath> FilterPaths() { return CpuPaths(cpu::kSse2 | cpu::kAvx2 | cpu::kAvx512); }

// The cases repeated often enough that the vector loops and the pixel-by-pixel tail both see
// each of them; every pixel has its own fourth byte.
std::vector<uint32_t> CasePixels() {
  std::vector<uint32_t> pixels;
  for (int i = 0; i < 3 * kCaseCount; ++i) {
    pixels.push_back(PixelOf(kColorCases[i % kCaseCount].in, static_cast<uint8_t>(0x11 * i + 3)));
  }
  return pixels;
}

TEST(ColorFilter, EveryModeGivesTheExactColorsOfTheCaseTableOnEveryPath) {
  BuildFilterTables();
  for (const CpuPath& path : FilterPaths()) {
    const CpuPathScope scope(path);
    for (int m = 0; m < 9; ++m) {
      const TColorFilterMode mode = kFilterModes[m];
      std::vector<uint32_t> pixels = CasePixels();
      color_filter::FilterPixels(pixels.data(), pixels.size(), mode);
      for (size_t i = 0; i < pixels.size(); ++i) {
        const ColorCase& c = kColorCases[i % kCaseCount];
        EXPECT_EQ(RgbOf(pixels[i]), c.out[m]) << path.name << ", mode " << int{mode} << ", input " << c.in;
        EXPECT_EQ(pixels[i] >> 24, (0x11u * i + 3) & 0xFF) << "fourth byte, " << path.name << ", mode " << int{mode};
      }
    }
  }
}

TEST(ColorFilter, ApplyColorFilterRecolorsTheWholeBitmap) {
  Bitmap bitmap;
  const std::vector<uint32_t> pixels = CasePixels();
  bitmap.SetSize(kCaseCount, 3);
  std::memcpy(bitmap.Pixels(), pixels.data(), pixels.size() * sizeof(uint32_t));
  ApplyColorFilter(bitmap, cfSepia);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < kCaseCount; ++x) EXPECT_EQ(RgbOf(bitmap.At(x, y)), kColorCases[x].out[1]) << x << "," << y;
  }
}

// The rounding and the sums behind the cases above, where a wrong table would first show.
TEST(ColorFilter, TablesHoldTheRoundedScaledProducts) {
  BuildFilterTables();
  const auto& t = color_filter::Products();
  constexpr int kGray = 0, kSepia = 1, kProtanopiaCorrection = 5;
  EXPECT_EQ(t[kGray][0][128], 9830);
  EXPECT_EQ(t[kGray][1][128], 19333);
  EXPECT_EQ(t[kGray][2][128], 3604);
  EXPECT_EQ(t[kSepia][0][255] + t[kSepia][1][255] + t[kSepia][2][255], 88193);
  EXPECT_EQ(t[kSepia][3][255] + t[kSepia][4][255] + t[kSepia][5][255], 78532);
  EXPECT_EQ(t[kSepia][6][255] + t[kSepia][7][255] + t[kSepia][8][255], 61168);
  EXPECT_EQ(t[kProtanopiaCorrection][7][255], -35584);
  for (int v = 0; v < 256; ++v) EXPECT_EQ(color_filter::InvertTable()[v], 255 - v);
}

// The vector loops compute each product from a multiplier instead of loading it: every entry of
// every matrix, every channel value, by the formula the multipliers are made for. Every entry
// has one, so no matrix falls back to its tables.
TEST(ColorFilter, EveryProductComesExactlyFromItsMultiplier) {
  BuildFilterTables();
  using namespace color_filter;
  for (int m = 0; m < kMatrixCount; ++m) {
    const MatrixMultipliers& multipliers = Multipliers(m);
    EXPECT_TRUE(multipliers.exact) << "matrix " << m;
    for (int e = 0; e < kMatrixEntries; ++e) {
      const Multiplier& k = multipliers.entry[e];
      EXPECT_LT(k.multiplier, 1u << 24) << "matrix " << m << ", entry " << e;
      for (int64_t v = 0; v < 256; ++v) {
        const int64_t product = 256 * k.whole * v + ((v * k.multiplier + (1 << 15)) >> 16);
        ASSERT_EQ(product, Products()[m][e][v]) << "matrix " << m << ", entry " << e << ", value " << v;
      }
    }
  }
}

std::vector<uint32_t> Noise(size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint32_t> pixels(count);
  for (uint32_t& p : pixels) p = static_cast<uint32_t>(random());
  return pixels;
}

TEST(ColorFilter, NoneAndValuesOutsideTheEnumerationLeaveEveryByte) {
  const std::vector<uint32_t> original = Noise(37 * 5, 7);
  for (int mode : {0, 10, 11, 200, 255}) {
    Bitmap bitmap;
    bitmap.SetSize(37, 5);
    std::memcpy(bitmap.Pixels(), original.data(), original.size() * sizeof(uint32_t));
    ApplyColorFilter(bitmap, static_cast<TColorFilterMode>(mode));
    EXPECT_EQ(0, std::memcmp(bitmap.Pixels(), original.data(), original.size() * sizeof(uint32_t))) << mode;
  }
}

TEST(ColorFilter, InvertTwiceRestoresThePicture) {
  const std::vector<uint32_t> original = Noise(1000, 8);
  Bitmap bitmap;
  bitmap.SetSize(40, 25);
  std::memcpy(bitmap.Pixels(), original.data(), original.size() * sizeof(uint32_t));
  ApplyColorFilter(bitmap, cfInvert);
  EXPECT_NE(bitmap.At(0, 0), original[0]);
  ApplyColorFilter(bitmap, cfInvert);
  EXPECT_EQ(0, std::memcmp(bitmap.Pixels(), original.data(), original.size() * sizeof(uint32_t)));
}

TEST(ColorFilter, EmptyBitmapIsLeftAlone) {
  Bitmap bitmap;
  ApplyColorFilter(bitmap, cfSepia);
  EXPECT_TRUE(bitmap.Empty());
}

// Runs of one colour take a shortcut in the fast paths; runs of every length and start, a
// fourth byte that changes within a run, and colors that differ in one byte only.
TEST(ColorFilter, FastPathsMatchThePlainLoopOnRunsOfOneColor) {
  BuildFilterTables();
  std::mt19937 random(5);
  const uint32_t palette[] = {0x000000, 0xFFFFFF, 0x808080, 0x808081, 0x2B579A, 0x018080};
  std::vector<uint32_t> input;
  while (input.size() < 20000) {
    const uint32_t color = palette[random() % std::size(palette)];
    const size_t run = 1 + random() % 150;
    for (size_t i = 0; i < run; ++i) input.push_back(color | (static_cast<uint32_t>(random()) & 0xFF000000u));
  }
  for (TColorFilterMode mode : kFilterModes) {
    std::vector<uint32_t> expected = input;
    color_filter::FilterPlain(expected.data(), expected.size(), mode);
    for (const CpuPath& path : FilterPaths()) {
      const CpuPathScope scope(path);
      std::vector<uint32_t> actual = input;
      color_filter::FilterPixels(actual.data(), actual.size(), mode);
      EXPECT_EQ(actual, expected) << path.name << ", mode " << int{mode};
    }
  }
}

// The fast paths work in blocks and keep one block's results pending while they sum the next;
// every length and start up to a few blocks shows a pixel left out or written twice.
TEST(ColorFilter, FastPathsMatchThePlainLoopOnEveryLengthAndStart) {
  BuildFilterTables();
  const std::vector<uint32_t> input = Noise(300, 9);
  for (TColorFilterMode mode : {cfSepia, cfDaltonizeTritanopia}) {
    for (const CpuPath& path : FilterPaths()) {
      const CpuPathScope scope(path);
      for (size_t start = 0; start < 3; ++start) {
        for (size_t length = 0; start + length <= input.size(); ++length) {
          std::vector<uint32_t> expected = input;
          std::vector<uint32_t> actual = input;
          color_filter::FilterPlain(expected.data() + start, length, mode);
          color_filter::FilterPixels(actual.data() + start, length, mode);
          ASSERT_EQ(actual, expected) << path.name << ", mode " << int{mode} << ", start " << start << ", length "
                                      << length;
        }
      }
    }
  }
}

// A caller that uses each piece as soon as it is told: every pixel must be told once, and hold
// its final colour when it is.
struct TellingCaller {
  const std::vector<uint32_t>* expected;
  const uint32_t* pixels;
  std::vector<int> told;
  int early = 0;

  static void Piece(void* context, size_t from, size_t to) {
    auto& self = *static_cast<TellingCaller*>(context);
    for (size_t i = from; i < to; ++i) {
      ++self.told[i];
      self.early += self.pixels[i] != (*self.expected)[i];
    }
  }
};

TEST(ColorFilter, PiecesAreToldOnceEachWithTheirFinalColors) {
  BuildFilterTables();
  // Noise, then runs of one colour, so that blocks go both ways through the fast loops.
  std::vector<uint32_t> input = Noise(700, 3);
  input.insert(input.end(), 300, 0x00808080u);
  input.insert(input.end(), 130, 0x7F2B579Au);
  for (TColorFilterMode mode : {cfSepia, cfInvert, cfDaltonizeDeuteranopia}) {
    for (const CpuPath& path : FilterPaths()) {
      const CpuPathScope scope(path);
      for (size_t length : {size_t{0}, size_t{5}, size_t{64}, size_t{200}, input.size()}) {
        std::vector<uint32_t> expected(input.begin(), input.begin() + static_cast<ptrdiff_t>(length));
        color_filter::FilterPlain(expected.data(), expected.size(), mode);
        std::vector<uint32_t> actual(input.begin(), input.begin() + static_cast<ptrdiff_t>(length));
        TellingCaller caller{&expected, actual.data(), std::vector<int>(length, 0)};
        color_filter::FilterPixels(actual.data(), length, mode, &TellingCaller::Piece, &caller);
        EXPECT_EQ(actual, expected) << path.name << ", mode " << int{mode} << ", length " << length;
        EXPECT_EQ(caller.early, 0) << path.name << ", mode " << int{mode} << ", length " << length;
        EXPECT_EQ(std::count(caller.told.begin(), caller.told.end(), 1), static_cast<ptrdiff_t>(length))
            << path.name << ", mode " << int{mode} << ", length " << length;
      }
    }
  }
  // Nothing to do is told at once.
  std::vector<uint32_t> plain = input;
  TellingCaller caller{&input, plain.data(), std::vector<int>(input.size(), 0)};
  ApplyColorFilter(plain.data(), plain.size(), cfNone, &TellingCaller::Piece, &caller);
  EXPECT_EQ(std::count(caller.told.begin(), caller.told.end(), 1), static_cast<ptrdiff_t>(input.size()));
  EXPECT_EQ(plain, input);
}

// Every colour once, with a fourth byte that changes from pixel to pixel.
std::vector<uint32_t> EveryColor() {
  std::vector<uint32_t> pixels(size_t{1} << 24);
  for (uint32_t i = 0; i < pixels.size(); ++i) pixels[i] = i | (i * 0x9E3779B1u & 0xFF000000u);
  return pixels;
}

// One mode per test, so that the slow reference runs on both cores.
class ColorFilterEveryColor : public testing::TestWithParam<TColorFilterMode> {};

TEST_P(ColorFilterEveryColor, FastPathsMatchThePlainLoop) {
  const TColorFilterMode mode = GetParam();
  BuildFilterTables();
  const std::vector<uint32_t> input = EveryColor();
  std::vector<uint32_t> expected = input;
  color_filter::FilterPlain(expected.data(), expected.size(), mode);
  std::vector<uint32_t> actual(input.size());
  for (const CpuPath& path : FilterPaths()) {
    if (path.features == 0) continue;
    const CpuPathScope scope(path);
    actual = input;
    color_filter::FilterPixels(actual.data(), actual.size(), mode);
    if (std::memcmp(actual.data(), expected.data(), actual.size() * sizeof(uint32_t)) == 0) continue;
    size_t i = 0;
    while (actual[i] == expected[i]) ++i;
    ADD_FAILURE() << path.name << ": input " << std::hex << input[i] << " gave " << actual[i] << ", expected "
                  << expected[i];
  }
}

INSTANTIATE_TEST_SUITE_P(AllModes, ColorFilterEveryColor, testing::ValuesIn(kFilterModes),
                         [](const testing::TestParamInfo<TColorFilterMode>& param) {
                           return "Mode" + std::to_string(int{param.param});
                         });

}  // namespace
