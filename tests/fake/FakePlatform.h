#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

// A desktop in memory: what the core sees of Windows in unit tests.
class FakePlatform : public Platform {
 public:
  FakePlatform();

  // The desktop: `screen` holds the pixels of `virtualScreen`, pixel (0, 0) at its top-left.
  TRect virtualScreen{0, 0, 1920, 1080};
  Bitmap screen;
  void PaintDesktop(const std::function<uint32_t(int x, int y)>& pixelAt);

  bool captureWorks = true;
  int captures = 0;

  bool cursorAvailable = true;
  CursorImage cursor{42, {0, 0}};
  struct CursorDraw {
    TPoint at;
    int size;
  };
  std::vector<CursorDraw> cursorDraws;
  // Colour the fake stamps where a cursor image is drawn.
  uint32_t cursorPixel = 0x00123456;

  TPoint pointer{0, 0};
  bool pointerWorks = true;
  bool controlDown = false;
  std::map<WindowId, TRect> windowRects;
  std::function<WindowId(TPoint)> rootWindowAt = [](TPoint) { return WindowId{0}; };

  std::map<WindowId, int> invalidations;
  std::vector<std::pair<WindowId, TRect>> invalidatedAreas;
  struct TimerState {
    uint32_t interval;
    bool running;
  };
  std::map<std::pair<WindowId, uintptr_t>, TimerState> timers;

  int clipboardEmptied = 0;
  std::unique_ptr<Bitmap> clipboard;
  std::string clipboardText;
  std::vector<std::string> messages;

  // Monitors in enumeration order; the nearest to a point is the one holding it, else the closest.
  std::vector<MonitorArea> monitors{{1, {0, 0, 1920, 1080}}};
  struct WindowMove {
    WindowId window;
    char edge;  // 'L' or 'T'
    int to;
    friend bool operator==(const WindowMove&, const WindowMove&) = default;
  };
  std::vector<WindowMove> windowMoves;

  // The caret queries answer with these; each call is counted.
  bool automationFinds = false;
  TPoint automationCaret;
  bool threadInputFinds = false;
  TPoint threadInputCaret;
  ForegroundFocus foregroundFocus;
  int automationLookups = 0;
  int threadInputLookups = 0;
  int foregroundLooks = 0;

  TRect VirtualScreen(WindowId) override { return virtualScreen; }
  bool CaptureDesktop(const TRect& source, Bitmap& target, TPoint at) override;
  bool CurrentCursor(CursorImage& out) override;
  bool DrawCursorImage(Bitmap& target, const CursorImage& image, TPoint at, int size) override;
  bool CursorPos(TPoint& pos) override;
  bool ControlKeyDown() override { return controlDown; }
  WindowId RootWindowFromPoint(TPoint p) override { return rootWindowAt(p); }
  TRect WindowRect(WindowId window) override;
  void Invalidate(WindowId window) override { ++invalidations[window]; }
  void InvalidateArea(WindowId window, const TRect& area) override { invalidatedAreas.emplace_back(window, area); }
  void StartTimer(WindowId window, uintptr_t id, uint32_t intervalMs) override {
    timers[{window, id}] = {intervalMs, true};
  }
  void StopTimer(WindowId window, uintptr_t id) override { timers[{window, id}].running = false; }
  bool EmptyClipboard() override;
  bool SetClipboardBitmap(const Bitmap& picture) override;
  bool SetClipboardText(const std::string& text) override {
    clipboard.reset();
    clipboardText = text;
    return true;
  }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void SetWindowLeft(WindowId window, int left) override;
  void SetWindowTop(WindowId window, int top) override;
  bool MonitorNearest(TPoint p, MonitorArea& monitor) override;
  std::vector<MonitorArea> Monitors() override { return monitors; }
  bool CaretFromAutomation(TPoint& caret) override;
  bool CaretFromThreadInput(TPoint& caret) override;
  ForegroundFocus LookAtForegroundFocus() override;
};

// A pattern in which every pixel differs from its eight neighbours, for catching off-by-ones.
uint32_t PatternPixel(int x, int y);
