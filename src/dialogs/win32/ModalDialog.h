#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/BaseWindow.h"
#include "platform/win32/Handles.h"

// A fixed dialog frame with only the close box, laid out in pixels at 96 DPI and scaled to the
// owner's DPI, centred on the owner's monitor and run modally: the owner is disabled while it
// is open, and the window is destroyed only after its own message loop has ended.
// OK, the close box and Escape close it.
class ModalDialog : public BaseWindow<ModalDialog> {
 public:
  struct Design {
    const wchar_t* className;
    std::wstring caption;
    int clientWidth;
    int clientHeight;
    // The outer height in design pixels, or 0 to follow the client height.
    int outerHeight = 0;
    int backgroundColor = COLOR_BTNFACE;
  };
  explicit ModalDialog(Design design) : design_(std::move(design)) {}
  virtual ~ModalDialog() = default;

  // Returns once the dialog has closed.
  void ShowModal(HWND owner);

 protected:
  enum class TextFont { Normal, Bold, Title };
  struct Link {
    int id;
    COLORREF color;
    TextFont font;
  };

  virtual void CreateControls() = 0;
  virtual void Paint(HDC /*dc*/) {}
  virtual void LinkClicked(int /*id*/) {}

  int Scale(int designPixels) const { return ::MulDiv(designPixels, static_cast<int>(dpi_), 96); }
  // A label at a design position; a width of 0 fits the text.
  HWND AddLabel(const std::string& text, int left, int top, int width = 0, int height = 0, bool centred = false,
                TextFont font = TextFont::Normal);
  // At least `width` wide, wider when its text needs it, within the client area.
  HWND AddLink(int id, const std::string& text, int left, int top, int width, int height, COLORREF color,
               TextFont font = TextFont::Normal);
  HWND AddButton(int id, const wchar_t* text, int left, int top, int width, int height);
  // The bottom edge of the client area in design pixels, for controls anchored to it.
  int ClientBottom() const;
  // A control's right edge in design pixels: the next control starts after it, whatever the
  // font the system substituted for Segoe UI measures.
  int DesignRight(HWND control) const;
  HWND Owner() const { return owner_; }

 private:
  friend class BaseWindow<ModalDialog>;
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam);
  bool Create(HWND owner);
  HFONT FontOf(TextFont font) const;
  SIZE TextSize(const std::wstring& text, HFONT font) const;
  const Link* LinkOf(HWND control) const;
  void SetHotLink(HWND control);

  Design design_;
  HWND owner_ = nullptr;
  UINT dpi_ = 96;
  bool done_ = false;
  FontHandle normalFont_;
  FontHandle boldFont_;
  FontHandle titleFont_;
  FontHandle hotFont_;
  FontHandle hotBoldFont_;
  BrushHandle background_;
  std::vector<std::pair<HWND, Link>> links_;
  HWND hotLink_ = nullptr;
};
