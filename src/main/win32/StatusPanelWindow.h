#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "main/StatusPanel.h"
#include "main/win32/MenuBuilder.h"
#include "platform/win32/BaseWindow.h"
#include "platform/win32/Handles.h"

// The status panel along the bottom of the main window: the zoom list, the readouts and the
// buttons. It shows what its component says and reports the user's actions back to it; the
// menus it opens go through `openMenu`.
class StatusPanelWindow : public BaseWindow<StatusPanelWindow> {
 public:
  static constexpr const wchar_t* kClassName = L"Panel";

  using MenuOpener = std::function<void(const MenuTable& menu, POINT at)>;
  StatusPanelWindow(StatusPanel& panel, MenuOpener openMenu) : panel_(panel), openMenu_(std::move(openMenu)) {}

  bool Create(HWND parent, HINSTANCE instance);
  // The panel height for `dpi`, in physical pixels.
  static int HeightFor(UINT dpi);
  // Places the panel along the bottom of a client area and its controls for `dpi`.
  void Layout(int clientWidth, int clientHeight, UINT dpi);
  // Copies the component's state onto the controls.
  void Sync();
  // The system colors or the high-contrast setting changed.
  void ColorsChanged();

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
  void DrawTypeButton(const DRAWITEMSTRUCT& item);
  void DrawSymbolButton(const DRAWITEMSTRUCT& item, const wchar_t* glyph);
  void OptionsButtonClicked();
  void SetCaption(HWND control, std::wstring& shown, const std::string& caption);
  // The position readout as its label has room for it.
  std::wstring PositionForLabel() const;
  void ShowPosition();

  StatusPanel& panel_;
  MenuOpener openMenu_;
  HWND zoomLabel_ = nullptr;
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
  ColorRef swatchColor_ = 0;
  ColorRef swatchFontColor_ = 0;
  ColorRef positionFontColor_ = 0;
  bool typeButtonDown_ = false;
  bool highContrast_ = false;
  std::wstring swatchText_;
  std::wstring positionText_;
};
