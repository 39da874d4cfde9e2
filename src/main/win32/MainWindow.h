#pragma once

#include <windows.h>

#include "main/fmMagnifier.h"
#include "main/win32/ReadoutWindow.h"
#include "main/win32/ShellMessages.h"
#include "main/win32/StatusPanelWindow.h"
#include "platform/win32/BaseWindow.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Services.h"
#include "view/win32/ViewWindow.h"

// The top-level window that hosts Tfrmmain: frame, placement, DPI, timer, menus and shortcuts.
class MainWindow : public BaseWindow<MainWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"Tfrmmain";
  static constexpr const wchar_t* kCaption = L"Glimmerlux";

  MainWindow(Tfrmmain& frm, Win32Services& platform);

  // Creates the window hidden, centred on the primary monitor at its designed size.
  bool Create(HINSTANCE instance);
  void Show(int showCommand);
  // The window sees every key before its controls do; true when the key was used up.
  bool PreviewKey(const MSG& message);
  // Runs a shortcut of this window for a queued keyboard message; true when it was one.
  bool TranslateShortcut(MSG& message);

 private:
  friend class BaseWindow<MainWindow>;
  static bool Register(HINSTANCE instance);
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam);

  bool OnCreate(HINSTANCE instance);
  void OnSize(UINT kind, int width, int height);
  void OnContextMenu(POINT at);
  bool MoveFocus(HWND from, bool backwards);
  bool PressFocusedButton(HWND focus);
  void OnGetMinMaxInfo(MINMAXINFO& limits);
  void OnMoving(RECT& moving);
  void PanelChanged();
  // The simulation in force shows in the caption; the contrast readout follows its component.
  void ColorCheckChanged();
  void OnDpiChanged(const RECT& suggested);
  void OnTimer(uintptr_t id);
  bool OnCommand(WORD id);
  void OnNcDestroy();
  void HostDialogs();
  HWND ModalPopup() const;

  Tfrmmain& frm_;
  Win32Services& platform_;
  ViewWindow view_;
  StatusPanelWindow panel_;
  ReadoutWindow readout_;
  ShellMessages shell_;
  AcceleratorTable shortcuts_;
  bool panelShown_ = true;
};
