#pragma once

#include <windows.h>

#include <string>

#include "main/fmMagnifier.h"
#include "platform/win32/BaseWindow.h"
#include "platform/win32/Handles.h"

using FontHandle = UniqueHandle<HFONT, DeleteObjectClose>;
using BrushHandle = UniqueHandle<HBRUSH, DeleteObjectClose>;

// The status panel along the bottom of the main window: the zoom list, the readouts and the
// buttons. It shows what the form's panel fields say and reports the user's actions back.
class StatusPanelWindow : public BaseWindow<StatusPanelWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"TPanel";

  explicit StatusPanelWindow(Tfrmmain& frm) : frm_(frm) {}

  bool Create(HWND parent, HINSTANCE instance);
  // The panel height for `dpi`, in physical pixels.
  static int HeightFor(UINT dpi);
  // Places the panel along the bottom of a client area and its controls for `dpi`.
  void Layout(int clientWidth, int clientHeight, UINT dpi);
  // Copies the form's panel fields onto the controls.
  void Sync();

 private:
  friend class BaseWindow<StatusPanelWindow>;
  static bool Register(HINSTANCE instance);
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateControls(HINSTANCE instance);
  void CreateFonts(UINT dpi);
  void AddHint(HWND control, const wchar_t* text);
  void OnCommand(int id, int code);
  bool OnContextMenu(HWND source, POINT at);
  HBRUSH OnColorStatic(HDC dc, HWND control);
  void SetCaption(HWND control, std::wstring& shown, const std::string& caption);

  Tfrmmain& frm_;
  HWND zoomList_ = nullptr;
  HWND typeButton_ = nullptr;
  HWND colorLabel_ = nullptr;
  HWND colorSwatch_ = nullptr;
  HWND positionLabel_ = nullptr;
  HWND optionsButton_ = nullptr;
  HWND closeButton_ = nullptr;
  HWND hints_ = nullptr;
  UINT dpi_ = 0;
  FontHandle font_;
  FontHandle symbolFont_;
  BrushHandle panelBrush_;
  BrushHandle swatchBrush_;
  TColor swatchColor_ = 0;
  TColor swatchFontColor_ = 0;
  TColor positionFontColor_ = 0;
  std::wstring swatchText_;
  std::wstring positionText_;
};
