#include <benchmark/benchmark.h>
#include <libyuv/planar_functions.h>
#include <libyuv/rotate_argb.h>

#include <string>

#include "Comparison.h"
#include "Pictures.h"
#include "base/Bitmap.h"
#include "view/Flips.h"

namespace {

enum class Flip { Horizontal, Vertical, Both };

// Ours mirrors in place. libyuv mirrors from one frame into another, which the view would have
// to copy back; in place, through one row of scratch, it is the fair peer.
void Ours(benchmark::State& state, Flip flip) {
  Bitmap frame;
  frame.SetSize(bench::kViewWidth, bench::kViewHeight);
  bench::FillNoise(frame);
  for (auto _ : state) {
    if (flip == Flip::Horizontal) FlipBitmapHorizontally(frame);
    if (flip == Flip::Vertical) FlipBitmapVertically(frame);
    if (flip == Flip::Both) FlipBitmapBothWays(frame);
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

// libyuv's row kernels on one frame, through a row of scratch that stays in the cache: each
// row, or pair of rows, is read once and written once, as ours.
void LibyuvInPlace(benchmark::State& state, Flip flip) {
  Bitmap frame, scratch;
  frame.SetSize(bench::kViewWidth, bench::kViewHeight);
  scratch.SetSize(bench::kViewWidth, 1);
  bench::FillNoise(frame);
  const int w = frame.Width();
  const int stride = w * 4;
  auto* spare = reinterpret_cast<uint8_t*>(scratch.Pixels());
  auto row = [&frame](int y) { return reinterpret_cast<uint8_t*>(frame.Row(y)); };
  for (auto _ : state) {
    if (flip == Flip::Horizontal) {
      for (int y = 0; y < frame.Height(); ++y) {
        libyuv::ARGBMirror(row(y), stride, spare, stride, w, 1);
        libyuv::ARGBCopy(spare, stride, row(y), stride, w, 1);
      }
    } else {
      for (int top = 0, bottom = frame.Height() - 1; top <= bottom; ++top, --bottom) {
        if (flip == Flip::Vertical) {
          libyuv::ARGBCopy(row(top), stride, spare, stride, w, 1);
          libyuv::ARGBCopy(row(bottom), stride, row(top), stride, w, 1);
        } else {
          libyuv::ARGBMirror(row(top), stride, spare, stride, w, 1);
          if (bottom != top) libyuv::ARGBMirror(row(bottom), stride, row(top), stride, w, 1);
        }
        libyuv::ARGBCopy(spare, stride, row(bottom), stride, w, 1);
      }
    }
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
}

const bool kRegistered = [] {
  const std::string copy = bench::FrameCopy(bench::kViewWidth, bench::kViewHeight);
  const struct {
    Flip flip;
    const char* name;
    const char* peer;
  } flips[] = {{Flip::Horizontal, "Horizontal", "ARGBMirror"},
               {Flip::Vertical, "Vertical", "ARGBCopy upside down"},
               {Flip::Both, "Both", "ARGBRotate 180"}};
  for (const auto& f : flips) {
    const std::string ours = std::string("Flip/") + f.name + "/ours";
    const std::string inPlace = std::string("Flip/") + f.name + "/libyuv-in-place";
    const std::string peer = std::string("Flip/") + f.name + "/libyuv-two-frames";
    benchmark::RegisterBenchmark(ours.c_str(), Ours, f.flip)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(inPlace.c_str(), LibyuvInPlace, f.flip)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(peer.c_str(), Libyuv, f.flip)->Unit(benchmark::kMicrosecond);
    bench::Compare(ours, {{std::string("libyuv in place (row kernels, one row of scratch)"), inPlace},
                          {std::string("libyuv ") + f.peer + " into a second frame", peer},
                          {"memcpy", copy}});
  }
  return true;
}();

}  // namespace
