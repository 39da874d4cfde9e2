#pragma once

#include <functional>
#include <vector>

#include "platform/Screen.h"

// A desktop in memory: `pixels` holds the pixels of `virtualScreen`, pixel (0, 0) at its top-left.
class FakeScreen : public Screen {
 public:
  FakeScreen();

  Rect virtualScreen{0, 0, 1920, 1080};
  Bitmap pixels;
  void PaintDesktop(const std::function<uint32_t(int x, int y)>& pixelAt);

  bool captureWorks = true;
  int captures = 0;

  bool cursorAvailable = true;
  CursorImage cursor{42, {0, 0}};
  struct CursorDraw {
    Point at;
    int size;
  };
  std::vector<CursorDraw> cursorDraws;
  // Colour the fake stamps where a cursor image is drawn.
  uint32_t cursorPixel = 0x00123456;

  int pixelsPerInch = 96;
  Point pointer{0, 0};
  bool pointerWorks = true;
  bool controlDown = false;

  Rect VirtualScreen() override { return virtualScreen; }
  bool CaptureDesktop(const Rect& source, Bitmap& target, Point at) override;
  bool CurrentCursor(CursorImage& out) override;
  bool DrawCursorImage(Bitmap& target, const CursorImage& image, Point at, int size) override;
  int PixelsPerInch() override { return pixelsPerInch; }
  bool CursorPos(Point& pos) override;
  bool MoveCursorTo(Point pos) override;
  bool ControlKeyDown() override { return controlDown; }
};

// A pattern in which every pixel differs from its eight neighbours, for catching off-by-ones.
uint32_t PatternPixel(int x, int y);
