// Colour-vision simulation, the contrast check, averaged sampling and one-pixel nudging in the
// real glimmerlux.exe over the test pattern, each held against values worked out here in
// double precision from the published coefficients and the WCAG formulas.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "Commands.h"
#include "MagnifierOnPattern.h"
#include "fixture/TestPattern.h"
#include "main/win32/ControlIds.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kSettle = 5s;

double Decode(uint32_t v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

uint32_t Encode(double x) {
  x = std::fmin(std::fmax(x, 0.0), 1.0);
  const double e = x <= 0.0031308 ? 12.92 * x : 1.055 * std::pow(x, 1 / 2.4) - 0.055;
  return static_cast<uint32_t>(std::floor(e * 255 + 0.5));
}

// Full protanopia, Machado, Oliveira and Fernandes (2009), on a 0x00RRGGBB pixel.
uint32_t Protanopia(uint32_t pixel) {
  static constexpr double m[9] = {0.152286, 1.052583,  -0.204868, 0.114503, 0.786281,
                                  0.099216, -0.003882, -0.048116, 1.051998};
  const double in[3] = {Decode(pixel >> 16 & 0xFF), Decode(pixel >> 8 & 0xFF), Decode(pixel & 0xFF)};
  uint32_t out = 0;
  for (int row = 0; row < 3; ++row) {
    out = out << 8 | Encode(m[row * 3] * in[0] + m[row * 3 + 1] * in[1] + m[row * 3 + 2] * in[2]);
  }
  return out;
}

// WCAG 2.x, on 0x00RRGGBB pixels.
double Luminance(uint32_t pixel) {
  return 0.2126 * Decode(pixel >> 16 & 0xFF) + 0.7152 * Decode(pixel >> 8 & 0xFF) + 0.0722 * Decode(pixel & 0xFF);
}

std::string Ratio(uint32_t a, uint32_t b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  const double ratio = (std::fmax(la, lb) + 0.05) / (std::fmin(la, lb) + 0.05);
  char text[32];
  std::snprintf(text, sizeof(text), "%.2f:1", std::floor(ratio * 100) / 100);
  return text;
}

std::string Html(uint32_t pixel) {
  char text[8];
  std::snprintf(text, sizeof(text), "#%06X", static_cast<unsigned>(pixel & 0xFFFFFF));
  return text;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class ColorVisionOnPattern : public MagnifierOnPattern {
 protected:
  HWND Readout() const { return FindProcessWindow(magnifier_.Id(), L"Color Check"); }
  HWND PanelControl(int id) const { return GetDlgItem(GetDlgItem(window_, kPanel1Id), id); }

  // The readout beside the magnifier must not stand over the desktop the view shows.
  void ParkReadout() {
    HWND readout = nullptr;
    ASSERT_TRUE(WaitUntil(kSettle, [&] { return (readout = Readout()) != nullptr; })) << "no readout window";
    RECT r{};
    GetWindowRect(readout, &r);
    SetWindowPos(readout, nullptr, desktop_.left, desktop_.bottom - (r.bottom - r.top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  std::string ReadoutText() const {
    const HWND readout = Readout();
    if (readout == nullptr) return {};
    const HWND text = FindWindowExW(readout, nullptr, L"Static", nullptr);
    return text == nullptr ? std::string() : Narrow(TextOf(text));
  }
};

TEST_F(ColorVisionOnPattern, FullProtanopiaShowsTheSimulatedColorsWithinOne) {
  ASSERT_TRUE(RunCommand(window_, "CvProtan1"));
  ParkReadout();
  EXPECT_EQ(TextOf(window_), L"Glimmerlux 1.0 - Protanopia") << "the version stays, the simulation follows it";
  const POINT p = DesktopAt(0.55, 0.45);
  PointAt(p, SourceAround(p));
  ASSERT_FALSE(HasFatalFailure());
  const Picture wanted = PatternAround(p, [](int x, int y) { return Protanopia(test_pattern::PixelAt(x, y)); });
  // Inside the frame the view may draw, every pixel within one of the worked-out colour.
  int off = 0;
  std::string first;
  WaitUntil(kSettle, [&] {
    const Picture shown = GrabScreen(ScreenRectOfClient(view_));
    off = 0;
    first.clear();
    for (int y = 2; y + 2 < shown.height; ++y) {
      for (int x = 2; x + 2 < shown.width; ++x) {
        const uint32_t a = shown.At(x, y);
        const uint32_t b = wanted.At(x, y);
        for (int shift = 0; shift < 24; shift += 8) {
          if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > 1) {
            if (off++ == 0)
              first = "at " + std::to_string(x) + "," + std::to_string(y) + ": " + Html(a) + " for " + Html(b);
            break;
          }
        }
      }
    }
    return off == 0;
  });
  EXPECT_EQ(off, 0) << "pixels off by more than one, first " << first;
}

TEST_F(ColorVisionOnPattern, ContrastOfTwoPickedColorsReadsTheRatioWorkedByHand) {
  const POINT fore = DesktopAt(0.3, 0.6);
  const POINT back = DesktopAt(0.7, 0.2);
  PointAt(fore, SourceAround(fore));
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(RunCommand(window_, "PickForegroundColor1"));
  ParkReadout();
  ASSERT_TRUE(MovePointerTo(back));
  ASSERT_TRUE(RunCommand(window_, "PickBackgroundColor1"));
  const uint32_t f = test_pattern::PixelAt(fore.x, fore.y);
  const uint32_t b = test_pattern::PixelAt(back.x, back.y);
  const std::string ratio = Ratio(f, b);
  const std::string colors = "Foreground " + Html(f) + ", background " + Html(b);
  WaitUntil(kSettle, [&] { return ReadoutText().find("Contrast " + ratio) != std::string::npos; });
  const std::string shown = ReadoutText();
  EXPECT_EQ(shown.rfind(colors + "\r\nContrast " + ratio + "\r\n", 0), 0u) << shown;

  ASSERT_TRUE(EmptyTheClipboard());
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(CommandOf(MainMenuTable(), "CopyContrast1"), 0), 0);
  HWND notice = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] {
    notice = FindProcessWindow(magnifier_.Id(), L"Glimmerlux");
    return notice != nullptr && notice != window_;
  })) << "no \"copied\" box";
  PostMessageW(notice, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Narrow(ClipboardText().value_or(L"")).rfind(colors + ": contrast " + ratio + ", AA normal ", 0), 0u);
}

TEST_F(ColorVisionOnPattern, ThreeByThreeSamplingReadsTheAverageWorkedByHand) {
  ASSERT_TRUE(RunCommand(window_, "Sample3x3"));
  const POINT p = DesktopAt(0.45, 0.55);
  PointAt(p, SourceAround(p));
  ASSERT_FALSE(HasFatalFailure());
  unsigned sum[3] = {0, 0, 0};
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const uint32_t pixel = test_pattern::PixelAt(p.x + dx, p.y + dy);
      for (int c = 0; c < 3; ++c) sum[c] += pixel >> (16 - 8 * c) & 0xFF;
    }
  }
  // Each channel's nine values averaged, halves rounded up.
  const std::string wanted = "RGB : " + std::to_string((sum[0] + 4) / 9) + "," + std::to_string((sum[1] + 4) / 9) +
                             "," + std::to_string((sum[2] + 4) / 9);
  const HWND swatch = PanelControl(kColorSwatchId);
  WaitUntil(kSettle, [&] { return Narrow(TextOf(swatch)) == wanted; });
  EXPECT_EQ(Narrow(TextOf(swatch)), wanted);
}

TEST_F(ColorVisionOnPattern, AnArrowKeyMovesThePointerOnePixelAndThePositionFollows) {
  const POINT p = DesktopAt(0.6, 0.6);
  PointAt(p, SourceAround(p));
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(MakeForeground(window_));
  PressKeys({VK_RIGHT});
  POINT now{};
  WaitUntil(kSettle, [&] { return GetCursorPos(&now) && now.x == p.x + 1 && now.y == p.y; });
  EXPECT_EQ(now.x, p.x + 1);
  EXPECT_EQ(now.y, p.y);
  const std::string wanted = "Position: " + std::to_string(p.x + 1) + ", " + std::to_string(p.y);
  const HWND label = PanelControl(kPositionLabelId);
  WaitUntil(kSettle, [&] { return Narrow(TextOf(label)) == wanted; });
  EXPECT_EQ(Narrow(TextOf(label)), wanted);
  PressKeys({VK_SHIFT, VK_UP});
  WaitUntil(kSettle, [&] { return GetCursorPos(&now) && now.y == p.y - 10; });
  EXPECT_EQ(now.y, p.y - 10) << "Shift moves ten";
}

}  // namespace
