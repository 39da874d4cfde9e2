#include <benchmark/benchmark.h>
#include <libyuv/planar_functions.h>
#include <libyuv/rotate_argb.h>

#include <string>

#include "Comparison.h"
#include "Pictures.h"
#include "base/Bitmap.h"
#include "view/VwImage.h"

namespace {

enum class Flip { Horizontal, Vertical, Both };

// Ours mirrors in place; libyuv mirrors from one frame into another. Either way a frame is
// read and a frame is written.
void Ours(benchmark::State& state, Flip flip) {
  Bitmap frame;
  frame.SetSize(bench::kViewWidth, bench::kViewHeight);
  bench::FillNoise(frame);
  for (auto _ : state) {
    if (flip != Flip::Vertical) FlipBitmapHorizontally(frame);
    if (flip != Flip::Horizontal) FlipBitmapVertically(frame);
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
}

void Libyuv(benchmark::State& state, Flip flip) {
  Bitmap from, to;
  from.SetSize(bench::kViewWidth, bench::kViewHeight);
  to.SetSize(bench::kViewWidth, bench::kViewHeight);
  bench::FillNoise(from);
  const auto* in = reinterpret_cast<const uint8_t*>(from.Pixels());
  auto* out = reinterpret_cast<uint8_t*>(to.Pixels());
  const int stride = from.Width() * 4;
  for (auto _ : state) {
    switch (flip) {
      case Flip::Horizontal:
        libyuv::ARGBMirror(in, stride, out, stride, from.Width(), from.Height());
        break;
      case Flip::Vertical:
        // A negative height is libyuv's way of turning a picture upside down.
        libyuv::ARGBCopy(in, stride, out, stride, from.Width(), -from.Height());
        break;
      case Flip::Both:
        libyuv::ARGBRotate(in, stride, out, stride, from.Width(), from.Height(), libyuv::kRotate180);
        break;
    }
    benchmark::DoNotOptimize(to.Pixels());
    benchmark::ClobberMemory();
  }
}

const bool kRegistered = [] {
  const std::string copy = bench::FrameCopy(bench::kViewWidth, bench::kViewHeight);
  const struct {
    Flip flip;
    const char* name;
    const char* peer;
  } flips[] = {{Flip::Horizontal, "Horizontal", "libyuv ARGBMirror"},
               {Flip::Vertical, "Vertical", "libyuv ARGBCopy upside down"},
               {Flip::Both, "Both", "libyuv ARGBRotate 180"}};
  for (const auto& f : flips) {
    const std::string ours = std::string("Flip/") + f.name + "/ours";
    const std::string peer = std::string("Flip/") + f.name + "/libyuv";
    benchmark::RegisterBenchmark(ours.c_str(), Ours, f.flip)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(peer.c_str(), Libyuv, f.flip)->Unit(benchmark::kMicrosecond);
    bench::Compare(ours, {{f.peer, peer}, {"memcpy", copy}});
  }
  return true;
}();

}  // namespace
