#pragma once

#include <windows.h>

#include "base/Bitmap.h"
#include "platform/Platform.h"
#include "platform/win32/DibSurface.h"
#include "platform/win32/Handles.h"

inline HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
inline WindowId ToWindowId(HWND window) { return reinterpret_cast<WindowId>(window); }

class Win32Platform final : public Platform {
 public:
  Win32Platform();

  TRect VirtualScreen(WindowId window) override;
  bool CaptureDesktop(const TRect& source, Bitmap& target, TPoint at) override;
  bool CurrentCursor(CursorImage& cursor) override;
  bool DrawCursorImage(Bitmap& target, const CursorImage& cursor, TPoint at, int size) override;

  bool CursorPos(TPoint& pos) override;
  bool ControlKeyDown() override;

  WindowId RootWindowFromPoint(TPoint p) override;
  TRect WindowRect(WindowId window) override;
  void Invalidate(WindowId window) override;
  void InvalidateArea(WindowId window, const TRect& area) override;
  void StartTimer(WindowId window, uintptr_t id, uint32_t intervalMs) override;
  void StopTimer(WindowId window, uintptr_t id) override;
  void SetWindowLeft(WindowId window, int left) override;
  void SetWindowTop(WindowId window, int top) override;

  bool MonitorNearest(TPoint p, MonitorArea& monitor) override;
  std::vector<MonitorArea> Monitors() override;

  bool CaretFromAutomation(TPoint& caret) override;
  bool CaretFromThreadInput(TPoint& caret) override;
  ForegroundFocus LookAtForegroundFocus() override;

  bool EmptyClipboard() override;
  bool SetClipboardBitmap(const Bitmap& picture) override;
  bool SetClipboardText(const std::string& text) override;
  void ShowMessage(const std::string& text) override;

  // The window that owns what this program puts on the clipboard.
  void SetClipboardOwner(HWND owner) { clipboardOwner_ = owner; }
  // The screen DC kept for capture is made anew for the new display layout.
  void DisplayChanged() { screen_.Reset(); }

 private:
  // For targets whose pixels GDI cannot reach: a DIB the size of `area`, optionally
  // holding a copy of those pixels of `from`; Unstage copies the result back.
  HDC Stage(const RECT& area, const Bitmap* from);
  void Unstage(Bitmap& to, const RECT& area);

  DibSurfaceFactory dibs_;
  // Kept rather than taken with GetDC per frame: under Wine every ReleaseDC resets the DC's
  // font, and each reset rereads the X resources from disk.
  DeviceDc screen_;
  // Only for targets whose pixels GDI cannot reach directly.
  Bitmap staging_;
  HWND clipboardOwner_ = nullptr;
  HCURSOR lastCursor_ = nullptr;
  POINT lastHotSpot_{};
};
