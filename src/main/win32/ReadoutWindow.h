#pragma once

#include <windows.h>

#include <string>

#include "main/ColorCheck.h"
#include "platform/win32/BaseWindow.h"
#include "platform/win32/Handles.h"

// The small window beside the magnifier that shows the simulation in force and the contrast
// of the picked colors; it appears while it has something to say. Closing it forgets the picks.
class ReadoutWindow : public BaseWindow<ReadoutWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"ColorReadout";
  static constexpr const wchar_t* kCaption = L"Color Check";

  explicit ReadoutWindow(ColorCheck& check) : check_(check) {}

  // Created hidden, owned by the main window so it stays above it and goes with it.
  bool Create(HWND owner, HINSTANCE instance);
  // Copies the component's readout onto the window.
  void Sync();

 private:
  friend class BaseWindow<ReadoutWindow>;
  static bool Register(HINSTANCE instance);
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam);
  // Beside the owner where the work area has room, else over its left edge.
  void PlaceBesideOwner();

  ColorCheck& check_;
  HWND owner_ = nullptr;
  HWND text_ = nullptr;
  FontHandle font_;
  std::wstring shown_;
  bool placed_ = false;
};
