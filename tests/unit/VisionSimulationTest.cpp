#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "unit/CpuPaths.h"
#include "view/VisionSimulation.h"
#include "view/VisionSimulationInternal.h"

namespace {

using vision::Matrix;

struct Rgb {
  int r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

uint32_t PixelOf(Rgb c) {
  return static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | static_cast<uint32_t>(c.b);
}

Rgb RgbOf(uint32_t p) {
  return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

constexpr SimulatedVision kProtan100{VisionDeficiency::Protan, 100};
constexpr SimulatedVision kDeutan100{VisionDeficiency::Deutan, 100};
constexpr SimulatedVision kTritan{VisionDeficiency::Tritan, 100};
constexpr SimulatedVision kProtan50{VisionDeficiency::Protan, 50};
constexpr SimulatedVision kDeutan30{VisionDeficiency::Deutan, 30};

struct SimulatedCase {
  Rgb in;
  Rgb out[5];  // protan 100 %, deutan 100 %, tritan, protan 50 %, deutan 30 %
};

// Worked out apart from this code (Python, plain floats), in double precision from the published coefficients: sRGB
// decoded (IEC 61966-2-1), the matrix applied, clamped to [0, 1], encoded and rounded half up.
// Pure green under full protanopia is the bright yellow #FFE500, where the simple matrix of the
// colour filters gives the dark olive (110, 112, 61). The integer tables promise one step per
// channel at most: (1, 2, 3) at half protanomaly lies so near a rounding edge that they give 2.
// clang-format off
constexpr SimulatedCase kSimulated[] = {
  {{255, 0, 0},     {{109, 95, 0}, {163, 144, 0}, {255, 0, 78}, {180, 86, 0}, {214, 99, 0}}},
  {{0, 255, 0},     {{255, 229, 0}, {239, 214, 58}, {121, 233, 255}, {215, 237, 0}, {176, 237, 37}}},
  {{0, 0, 255},     {{0, 89, 255}, {0, 61, 251}, {0, 98, 136}, {0, 70, 255}, {0, 46, 254}}},
  {{255, 255, 255}, {{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}}},
  {{0, 0, 0},       {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
  {{128, 128, 128}, {{128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}, {128, 128, 128}}},
  {{200, 100, 50},  {{128, 114, 44}, {152, 137, 48}, {203, 92, 108}, {159, 112, 45}, {177, 118, 48}}},
  {{255, 128, 0},   {{166, 145, 0}, {196, 174, 0}, {255, 116, 137}, {204, 143, 0}, {227, 151, 0}}},
  {{30, 144, 255},  {{85, 153, 255}, {35, 134, 253}, {0, 160, 197}, {68, 148, 255}, {39, 141, 254}}},
  {{1, 2, 3},       {{2, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}}},
};
// clang-format on

bool WithinOne(Rgb a, Rgb b) {
  return std::abs(a.r - b.r) <= 1 && std::abs(a.g - b.g) <= 1 && std::abs(a.b - b.b) <= 1;
}

constexpr SimulatedVision kCaseModes[] = {kProtan100, kDeutan100, kTritan, kProtan50, kDeutan30};

TEST(VisionSimulation, MatchesColorsWorkedOutInDoublePrecision) {
  for (const SimulatedCase& c : kSimulated) {
    for (size_t m = 0; m < std::size(kCaseModes); ++m) {
      uint32_t pixel = PixelOf(c.in) | 0xA5000000u;
      ApplyVisionSimulation(&pixel, 1, kCaseModes[m]);
      SCOPED_TRACE(VisionSimulationName(kCaseModes[m]));
      EXPECT_TRUE(WithinOne(RgbOf(pixel), c.out[m])) << RgbOf(pixel) << " for " << c.out[m] << " from " << c.in;
      EXPECT_EQ(pixel >> 24, 0xA5u) << "the fourth byte is kept";
      const ColorRef color = static_cast<ColorRef>(c.in.r | c.in.g << 8 | c.in.b << 16);
      const ColorRef simulated = SimulateColor(color, kCaseModes[m]);
      EXPECT_EQ(simulated, static_cast<ColorRef>(RgbOf(pixel).r | RgbOf(pixel).g << 8 | RgbOf(pixel).b << 16))
          << "a color is simulated as its pixel";
    }
  }
}

TEST(VisionSimulation, OffChangesNothing) {
  std::vector<uint32_t> pixels = {0x12345678u, 0xFF00FF00u, 0u};
  const std::vector<uint32_t> before = pixels;
  ApplyVisionSimulation(pixels.data(), pixels.size(), {});
  EXPECT_EQ(pixels, before);
  EXPECT_EQ(SimulateColor(0x123456, {}), 0x123456u);
}

TEST(VisionSimulation, RunsOfOneColorKeepEachFourthByte) {
  std::vector<uint32_t> pixels = {0x33000000u, 0x1100FF00u, 0x2200FF00u, 0x00FF0000u, 0x44FF0000u, 0x0000FF00u};
  ApplyVisionSimulation(pixels.data(), pixels.size(), kProtan100);
  const std::vector<uint32_t> wanted = {0x33000000u, 0x11FFE500u, 0x22FFE500u, 0x006D5F00u, 0x446D5F00u, 0x00FFE500u};
  EXPECT_EQ(pixels, wanted);
}

// Short runs around the vector loops' steps (8 and 16 pixels, the next step worked out ahead),
// with flat steps before, after and between others, on every path: each pixel as worked out alone.
TEST(VisionSimulation, ShortAndMixedRunsGiveEachPixelsOwnBytes) {
  std::mt19937 random(5);
  std::vector<uint32_t> noise(64);
  for (uint32_t& p : noise) p = static_cast<uint32_t>(random());
  const auto flatThenNoise = [&](size_t flat) {
    std::vector<uint32_t> v = noise;
    for (size_t i = 0; i < flat; ++i) v[i] = 0x7700FF00u + static_cast<uint32_t>(i << 24);
    return v;
  };
  std::vector<uint32_t> stripes(64);  // flat eights and sixteens of two colors, then noise
  for (size_t i = 0; i < stripes.size(); ++i) stripes[i] = i < 48 ? (i / 8 % 2 ? 0x00123456u : 0x00FF8000u) : noise[i];
  const std::vector<uint32_t> patterns[] = {noise, flatThenNoise(8), flatThenNoise(16), flatThenNoise(32), stripes};
  for (const SimulatedVision model : {kProtan100, kTritan}) {
    for (const std::vector<uint32_t>& pattern : patterns) {
      for (const size_t count : {1, 7, 8, 9, 15, 16, 17, 24, 31, 32, 33, 47, 48, 63, 64}) {
        std::vector<uint32_t> expected(pattern.begin(), pattern.begin() + static_cast<ptrdiff_t>(count));
        for (uint32_t& p : expected) p = vision::SimulatePixel(p, vision::ModelOf(model));
        for (const CpuPath& path : CpuPaths(cpu::kAvx2 | cpu::kAvx512)) {
          const CpuPathScope scope(path);
          std::vector<uint32_t> actual(pattern.begin(), pattern.begin() + static_cast<ptrdiff_t>(count));
          ApplyVisionSimulation(actual.data(), actual.size(), model);
          EXPECT_EQ(actual, expected) << path.name << ", " << VisionSimulationName(model) << ", " << count << " pixels";
        }
      }
    }
  }
}

TEST(VisionSimulation, TellsEveryPixelOnce) {
  std::vector<uint32_t> pixels(37, 0x00FF0000u);
  std::vector<int> told(pixels.size(), 0);
  auto piece = [](void* context, size_t from, size_t to) {
    auto& marks = *static_cast<std::vector<int>*>(context);
    for (size_t i = from; i < to; ++i) ++marks[i];
  };
  ApplyVisionSimulation(pixels.data(), pixels.size(), kProtan100, piece, &told);
  EXPECT_EQ(told, std::vector<int>(pixels.size(), 1));
  EXPECT_EQ(RgbOf(pixels[36]), (Rgb{109, 95, 0}));
}

TEST(VisionSimulation, SeveritiesAndNames) {
  EXPECT_EQ(VisionSimulationName(kProtan100), "Protanopia");
  EXPECT_EQ(VisionSimulationName({VisionDeficiency::Protan, 60}), "Protanomaly 60 %");
  EXPECT_EQ(VisionSimulationName(kDeutan30), "Deuteranomaly 30 %");
  EXPECT_EQ(VisionSimulationName(kDeutan100), "Deuteranopia");
  EXPECT_EQ(VisionSimulationName({VisionDeficiency::Tritan, 40}), "Tritanopia");
  EXPECT_EQ(VisionSimulationName({}), "");
  for (const int bad : {0, 5, 15, 110, -10, 1000}) EXPECT_EQ(ValidSeverity(bad), 100) << bad;
  for (int s = 10; s <= 100; s += 10) EXPECT_EQ(ValidSeverity(s), s);
  // An unoffered severity simulates as full.
  EXPECT_EQ(SimulateColor(0x00FF00, {VisionDeficiency::Protan, 55}), SimulateColor(0x00FF00, kProtan100));
}

// The coefficients as printed must have kept their shape: every row keeps white white, the full
// deficiencies lose a dimension, and each weight moves smoothly with severity, which a mistyped
// digit would break.
TEST(VisionSimulation, PublishedCoefficientsKeepTheirShape) {
  auto det = [](const Matrix& m) {
    return m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) + m[2] * (m[3] * m[7] - m[4] * m[6]);
  };
  for (const auto* table : {vision::kMachadoProtan, vision::kMachadoDeutan}) {
    for (int s = 0; s < 10; ++s) {
      for (int row = 0; row < 3; ++row) {
        EXPECT_NEAR(table[s][row * 3] + table[s][row * 3 + 1] + table[s][row * 3 + 2], 1.0, 2e-6) << s << " " << row;
      }
    }
    EXPECT_NEAR(det(table[9]), 0.0, 1e-5);
    const Matrix identity = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (int e = 0; e < 9; ++e) {
      auto at = [&](int s) { return s == 0 ? identity[e] : table[s - 1][e]; };
      for (int s = 1; s < 10; ++s) {
        const double bend = at(s + 1) - 2 * at(s) + at(s - 1);
        const double before = s > 1 ? at(s) - 2 * at(s - 1) + at(s - 2) : bend;
        EXPECT_LE(std::abs(bend), std::abs(before) + 1e-5) << "weight " << e << " at severity " << s;
        EXPECT_GE(bend * before, -1e-10) << "weight " << e << " at severity " << s;
      }
    }
  }
  // Brettel's two half-space projections: each a projection (P * P = P), and they agree on
  // the separation plane, so their difference is some u times the normal.
  for (const Matrix* p : {&vision::kBrettelTritan660, &vision::kBrettelTritan485}) {
    for (int r = 0; r < 3; ++r) {
      EXPECT_NEAR((*p)[r * 3] + (*p)[r * 3 + 1] + (*p)[r * 3 + 2], 1.0, 2e-5);
      for (int c = 0; c < 3; ++c) {
        double square = 0;
        for (int k = 0; k < 3; ++k) square += (*p)[r * 3 + k] * (*p)[k * 3 + c];
        EXPECT_NEAR(square, (*p)[r * 3 + c], 5e-5);
      }
    }
  }
  const double* n = vision::kBrettelTritanNormal;
  EXPECT_NEAR(n[0] + n[1] + n[2], 0.0, 1e-9) << "the plane holds the neutral axis";
  for (int r = 0; r < 3; ++r) {
    const double u = (vision::kBrettelTritan660[r * 3] - vision::kBrettelTritan485[r * 3]) / n[0];
    for (int c = 1; c < 3; ++c) {
      EXPECT_NEAR(vision::kBrettelTritan660[r * 3 + c] - vision::kBrettelTritan485[r * 3 + c], u * n[c], 2e-4);
    }
  }
  // The 660 nm projection keeps the side: n^T M = n^T.
  for (int c = 0; c < 3; ++c) {
    double side = 0;
    for (int r = 0; r < 3; ++r) side += n[r] * vision::kBrettelTritan660[r * 3 + c];
    EXPECT_NEAR(side, n[c], 5e-6) << c;  // to the published digits
  }
}

// Every linear value the sums can give encodes within 0.71 of the exact encoding times 255: the
// correctly rounded value, or its neighbour where the exact value lies within 0.21 of half-way.
TEST(VisionSimulation, EncodingWithoutATableKeepsEveryLinearValueWithinItsStep) {
  int neighbours = 0;
  for (int32_t s = 0; s <= vision::kLinearOne - 1; ++s) {
    const double exact = 255 * vision::LinearToSrgb(static_cast<double>(s) / vision::kLinearOne);
    const auto got = static_cast<int>(vision::EncodeLinear(s));
    ASSERT_LT(std::abs(got - exact), 0.71) << s;
    neighbours += got != static_cast<int>(std::lround(exact));
  }
  EXPECT_LT(neighbours, vision::kLinearOne / 100) << "a neighbour now and then, not as a rule";
  EXPECT_EQ(vision::EncodeLinear(vision::kLinearOne * 3 / 2), 255u);
  EXPECT_EQ(vision::EncodeLinear(-1000), 0u);
}

// The plain loop's fused multiply-add, made of double arithmetic, against the C library's.
TEST(VisionSimulation, FusedMultiplyAddRoundsOnceAsTheLibraryDoes) {
  const float edges[][3] = {
      {1.0f, 1.0f, 0.0f},
      {0x1.000002p0f, 0x1.000002p0f, -1.0f},  // the product's low bits decide
      {0x1.fffffep0f, 0x1.fffffep0f, -0x1.fffffcp1f},
      {3.0f, 0x1.555556p-2f, -1.0f},  // cancels to a tiny remainder
      // 1 + 2^-11 + 2^-24 + 2^-70: half a float step and a little more, where the double sum
      // drops the little and would then round down to even; round-to-odd keeps it.
      {0x1.001p0f, 0x1.001p0f, 0x1p-70f},
      {-0x1.001p0f, 0x1.001p0f, -0x1p-70f},
      {0x1.000002p0f, 1.0f, 0x1p-24f},  // a true tie: to even, upwards here
      {-0.0f, 1.0f, -0.0f},             // the signs of zero
      {0x1.8p0f, 0x1.8p0f, -0x1.2p1f},
      {-0x1.931502p+7f, 0x1.2p0f, 0x1.c0ccccp+3f},
      {262143.0f, 0x1.9bd334p-7f, 0.0f},
  };
  const auto same = [](float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; };
  for (const auto& e : edges) {
    EXPECT_TRUE(same(vision::FusedMultiplyAdd(e[0], e[1], e[2]), std::fma(e[0], e[1], e[2])))
        << std::hexfloat << e[0] << " * " << e[1] << " + " << e[2];
  }
  std::mt19937 random(17);
  std::uniform_real_distribution<float> mantissa(1.0f, 2.0f);
  std::uniform_int_distribution<int> exponent(-24, 24);
  auto any = [&] { return std::ldexp(mantissa(random), exponent(random)) * (random() % 2 ? 1.0f : -1.0f); };
  int wrong = 0;
  for (int i = 0; i < 2000000; ++i) {
    const float a = any(), b = any();
    // Often the negated product plus a little, where cancellation makes rounding hardest.
    const float c = i % 2 ? any() : -a * b + std::ldexp(mantissa(random), exponent(random) - 30);
    if (!same(vision::FusedMultiplyAdd(a, b, c), std::fma(a, b, c)) && ++wrong <= 3) {
      ADD_FAILURE() << std::hexfloat << a << " * " << b << " + " << c;
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST(VisionSimulation, TransferFunctionsAtKnownPoints) {
  EXPECT_NEAR(vision::SrgbToLinear(0.5), 0.214041, 1e-6);
  EXPECT_NEAR(vision::SrgbToLinear(0.04045), 0.0031308, 1e-7);
  EXPECT_NEAR(vision::LinearToSrgb(0.214041), 0.5, 1e-6);
  EXPECT_DOUBLE_EQ(vision::LinearToSrgb(1.0), 1.0);
  EXPECT_DOUBLE_EQ(vision::SrgbToLinear(0.0), 0.0);
}

}  // namespace
