#pragma once

#include <windows.h>

#include "base/Geometry.h"
#include "platform/win32/BaseWindow.h"
#include "view/VwImage.h"

// The child window that shows a magnifier view and hands it its messages.
class ViewWindow : public BaseWindow<ViewWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"TImageView";

  explicit ViewWindow(TCustomImageView& view) : view_(view) {}

  bool Create(HWND parent, HINSTANCE instance);
  void Move(int x, int y, int width, int height);

 private:
  friend class BaseWindow<ViewWindow>;
  static bool Register(HINSTANCE instance);
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam);

  void OnCreate();
  void OnPaint();
  void OnWindowPosChanged(const WINDOWPOS& pos);
  void OnButtonDown(MouseButton button, Point at);
  void OnButtonUp(MouseButton button, Point at);
  void OnDoubleClick(Point at);
  void OnNcDestroy();

  TCustomImageView& view_;
};
