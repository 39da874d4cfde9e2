#include "ExpectedPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "fixture/TestPattern.h"

namespace expected {
namespace {

int RoundHalfEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// One axis: where the captured strip starts and how long the view asks it to be.
int StripStart(int centre, int origin, int extent, int viewSize) {
  const int size = std::min(RoundHalfEven(viewSize / kZoom), extent);
  const int half = size / 2;
  if (centre < origin + half) return origin;
  if (centre > origin + extent - half) return origin + extent - size;
  return centre - half;
}

int CapturedLength(int viewSize, int extent) { return std::min(static_cast<int>(std::ceil(viewSize / kZoom)), extent); }

// For each view column (or row), the captured pixel drawn there, or -1 for none.
std::vector<int> SourceIndexOfEachViewPixel(int captured, int viewSize) {
  std::vector<int> index(static_cast<size_t>(viewSize), -1);
  for (int i = 0; i < captured; ++i) {
    const int end = std::min(RoundHalfEven((i + 1) * kZoom), viewSize);
    for (int v = RoundHalfEven(i * kZoom); v < end; ++v) index[static_cast<size_t>(v)] = i;
  }
  return index;
}

std::string Hex(uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%06X", static_cast<unsigned>(color));
  return text;
}

bool OnEdge(const Picture& picture, int x, int y) {
  return x == 0 || y == 0 || x == picture.width - 1 || y == picture.height - 1;
}

}  // namespace

RECT SourceRect(POINT pointer, const RECT& desktop, int viewWidth, int viewHeight) {
  const int width = desktop.right - desktop.left;
  const int height = desktop.bottom - desktop.top;
  const int left = StripStart(pointer.x, desktop.left, width, viewWidth);
  const int top = StripStart(pointer.y, desktop.top, height, viewHeight);
  return {left, top, left + CapturedLength(viewWidth, width), top + CapturedLength(viewHeight, height)};
}

Picture ViewPicture(const RECT& source, const RECT& desktop, int viewWidth, int viewHeight,
                    const DesktopColor& colorAt) {
  const DesktopColor color = colorAt ? colorAt : [](int x, int y) { return test_pattern::PixelAt(x, y); };
  Picture picture(viewWidth, viewHeight, kGrey);
  const auto column = SourceIndexOfEachViewPixel(source.right - source.left, viewWidth);
  const auto row = SourceIndexOfEachViewPixel(source.bottom - source.top, viewHeight);
  for (int y = 0; y < viewHeight; ++y) {
    for (int x = 0; x < viewWidth; ++x) {
      const int i = column[static_cast<size_t>(x)];
      const int j = row[static_cast<size_t>(y)];
      if (i < 0 || j < 0) continue;
      const POINT at{source.left + i, source.top + j};
      picture.At(x, y) = PtInRect(&desktop, at) ? color(at.x, at.y) : kAnyColor;
    }
  }
  return picture;
}

Picture Framed(Picture picture) {
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (OnEdge(picture, x, y)) picture.At(x, y) = kSilver;
    }
  }
  return picture;
}

Picture MirroredLeftRight(const Picture& picture) {
  Picture mirrored(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) mirrored.At(x, y) = picture.At(picture.width - 1 - x, y);
  }
  return mirrored;
}

std::string Differences(const Picture& shown, const Picture& wanted, bool frameAllowed) {
  if (shown.width != wanted.width || shown.height != wanted.height) {
    return "size " + std::to_string(shown.width) + "x" + std::to_string(shown.height) + ", want " +
           std::to_string(wanted.width) + "x" + std::to_string(wanted.height);
  }
  std::string account;
  int wrong = 0;
  bool framed = true;
  bool unframed = true;
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      const uint32_t want = wanted.At(x, y);
      const uint32_t got = shown.At(x, y);
      if (want == kAnyColor) continue;
      if (frameAllowed && OnEdge(shown, x, y)) {
        framed = framed && got == kSilver;
        unframed = unframed && got == want;
        continue;
      }
      if (got == want) continue;
      if (++wrong <= 5) {
        account +=
            "\n  (" + std::to_string(x) + ", " + std::to_string(y) + ") shows " + Hex(got) + ", want " + Hex(want);
      }
    }
  }
  if (frameAllowed && !framed && !unframed) account += "\n  the edge is neither the picture nor a silver frame";
  if (account.empty()) return account;
  account = std::to_string(wrong) + " pixels differ" + account;
  if (shown.width > 2 && shown.height > 2) {
    // The pattern tells where a shown pixel came from, which usually names the fault.
    const auto from = test_pattern::OriginOf(shown.At(2, 2));
    const auto want = test_pattern::OriginOf(wanted.At(2, 2));
    account += "\n  view pixel (2, 2) looks like desktop (" + std::to_string(from.x) + ", " + std::to_string(from.y) +
               "), want (" + std::to_string(want.x) + ", " + std::to_string(want.y) + ")";
  }
  return account;
}

}  // namespace expected
