#include <benchmark/benchmark.h>
#include <libyuv/scale_argb.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

#include "Comparison.h"
#include "Pictures.h"
#include "base/Bitmap.h"
#include "view/Scaler.h"

namespace {

// The capture at zoom z is Ceil(view / z), held to the desktop; the picture is the capture
// times z, held to the view, which for these zooms is the whole view or less.
struct ScaleCase {
  float zoom;
  int desktopWidth;
  int desktopHeight;
};

constexpr ScaleCase kCases[] = {
    {1, 3840, 2160}, {1.5f, 3840, 2160}, {2, 3840, 2160},     {3, 3840, 2160},    {4, 3840, 2160},
    {8, 3840, 2160}, {0.5f, 3840, 2160}, {0.25f, 3840, 2160}, {0.5f, 1920, 1080}, {0.25f, 1920, 1080},
};

struct Frames {
  Bitmap source;
  Bitmap target;
  int pictureWidth = 0;
  int pictureHeight = 0;

  explicit Frames(const ScaleCase& c) {
    const double z = c.zoom;
    const int sw = std::min(static_cast<int>(std::ceil(bench::kViewWidth / z)), c.desktopWidth);
    const int sh = std::min(static_cast<int>(std::ceil(bench::kViewHeight / z)), c.desktopHeight);
    source.SetSize(sw, sh);
    target.SetSize(bench::kViewWidth, bench::kViewHeight);
    bench::FillNoise(source);
    target.Fill(0x808080);
    pictureWidth = std::min(static_cast<int>(std::nearbyint(sw * z)), bench::kViewWidth);
    pictureHeight = std::min(static_cast<int>(std::nearbyint(sh * z)), bench::kViewHeight);
  }
};

template <typename Scale>
void Run(benchmark::State& state, const ScaleCase& c, Scale scale) {
  Frames f(c);
  for (auto _ : state) {
    scale(f);
    benchmark::DoNotOptimize(f.target.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * int64_t{f.pictureWidth} * f.pictureHeight);
}

void Ours(benchmark::State& state, ScaleCase c, bool smooth) {
  Scaler scaler;
  Run(state, c, [&](Frames& f) { scaler.Scale(f.source, f.target, {0, 0}, c.zoom, smooth); });
  state.counters["builds"] = scaler.TableBuilds();
}

void Libyuv(benchmark::State& state, ScaleCase c, libyuv::FilterMode filter) {
  Run(state, c, [filter](Frames& f) {
    libyuv::ARGBScale(reinterpret_cast<const uint8_t*>(f.source.Pixels()), f.source.Width() * 4, f.source.Width(),
                      f.source.Height(), reinterpret_cast<uint8_t*>(f.target.Pixels()), f.target.Width() * 4,
                      f.pictureWidth, f.pictureHeight, filter);
  });
}

void Pixman(benchmark::State& state, ScaleCase c, pixman_filter_t filter) {
  Frames f(c);
  pixman_image_t* source = pixman_image_create_bits(PIXMAN_x8r8g8b8, f.source.Width(), f.source.Height(),
                                                    f.source.Pixels(), f.source.Width() * 4);
  pixman_image_t* target = pixman_image_create_bits(PIXMAN_x8r8g8b8, f.target.Width(), f.target.Height(),
                                                    f.target.Pixels(), f.target.Width() * 4);
  pixman_transform_t transform;
  const pixman_fixed_t inverse = pixman_double_to_fixed(1.0 / static_cast<double>(c.zoom));
  pixman_transform_init_scale(&transform, inverse, inverse);
  pixman_image_set_transform(source, &transform);
  pixman_image_set_filter(source, filter, nullptr, 0);
  pixman_image_set_repeat(source, PIXMAN_REPEAT_PAD);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, source, nullptr, target, 0, 0, 0, 0, 0, 0, f.pictureWidth, f.pictureHeight);
    benchmark::DoNotOptimize(f.target.Pixels());
    benchmark::ClobberMemory();
  }
  pixman_image_unref(source);
  pixman_image_unref(target);
}

std::string CaseName(const char* group, const ScaleCase& c, const char* who) {
  std::ostringstream name;
  name << group << "/zoom:" << c.zoom;
  if (c.zoom < 1) name << "/from:" << c.desktopWidth << "x" << c.desktopHeight;
  name << "/" << who;
  return name.str();
}

const bool kRegistered = [] {
  for (const ScaleCase& c : kCases) {
    const Frames probe(c);
    const std::string copy = bench::FrameCopy(probe.pictureWidth, probe.pictureHeight);
    const std::string sharp = CaseName("ScaleSharp", c, "ours");
    const std::string sharpYuv = CaseName("ScaleSharp", c, "libyuv-none");
    const std::string sharpPixman = CaseName("ScaleSharp", c, "pixman-nearest");
    benchmark::RegisterBenchmark(sharp.c_str(), Ours, c, false)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(sharpYuv.c_str(), Libyuv, c, libyuv::kFilterNone)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(sharpPixman.c_str(), Pixman, c, PIXMAN_FILTER_NEAREST)->Unit(benchmark::kMicrosecond);
    bench::Compare(sharp, {{"libyuv kFilterNone", sharpYuv, 1.0}, {"pixman nearest", sharpPixman}, {"memcpy", copy}});

    const std::string smooth = CaseName("ScaleSmooth", c, "ours");
    const std::string bilinear = CaseName("ScaleSmooth", c, "libyuv-bilinear");
    const std::string box = CaseName("ScaleSmooth", c, "libyuv-box");
    const std::string smoothPixman = CaseName("ScaleSmooth", c, "pixman-bilinear");
    benchmark::RegisterBenchmark(smooth.c_str(), Ours, c, true)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(bilinear.c_str(), Libyuv, c, libyuv::kFilterBilinear)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(box.c_str(), Libyuv, c, libyuv::kFilterBox)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(smoothPixman.c_str(), Pixman, c, PIXMAN_FILTER_BILINEAR)
        ->Unit(benchmark::kMicrosecond);
    // Enlarging is held to bilinear interpolation, shrinking to box averaging: each the peer's
    // own method for what our smoothing does there.
    const bool shrinking = c.zoom < 1;
    bench::Compare(smooth, {{"libyuv kFilterBilinear", bilinear, shrinking ? 0.0 : 1.0},
                            {"libyuv kFilterBox", box, shrinking ? 1.0 : 0.0},
                            {"pixman bilinear", smoothPixman},
                            {"memcpy", copy}});
  }
  return true;
}();

}  // namespace
