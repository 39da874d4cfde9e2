#include "dialogs/win32/ModalDialog.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/Dpi.h"
#include "platform/win32/Utf.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

FontHandle MakeFont(int pointSize, UINT dpi, int weight, bool underline, const wchar_t* face) {
  return FontHandle(::CreateFontW(-::MulDiv(pointSize, static_cast<int>(dpi), 72), 0, 0, 0, weight, FALSE, underline,
                                  FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                  DEFAULT_PITCH, face));
}

}  // namespace

void ModalDialog::ShowModal(HWND owner) {
  if (!Create(owner)) return;
  const bool ownerWasEnabled = owner != nullptr && ::IsWindowEnabled(owner);
  if (ownerWasEnabled) ::EnableWindow(owner, FALSE);
  ::ShowWindow(Handle(), SW_SHOWNORMAL);
  ::SetForegroundWindow(Handle());
  MSG message;
  while (!done_ && Handle() != nullptr) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // The program is ending: the main loop must see the quit too.
      if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (::IsDialogMessageW(Handle(), &message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  // The owner is enabled before the dialog goes, so that it, not another program, is activated.
  if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
  if (Handle() != nullptr) ::DestroyWindow(Handle());
}

bool ModalDialog::Create(HWND owner) {
  owner_ = owner;
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  if (!::GetClassInfoExW(instance, design_.className, &windowClass)) {
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = design_.className;
    if (!::RegisterClassExW(&windowClass)) return false;
  }
  HMONITOR monitor = ::MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY);
  dpi_ = dpi::ForMonitor(monitor);
  if (dpi_ == 0) dpi_ = kDesignDpi;
  normalFont_ = MakeFont(9, dpi_, FW_NORMAL, false, L"Segoe UI");
  boldFont_ = MakeFont(9, dpi_, FW_BOLD, false, L"Segoe UI");
  hotFont_ = MakeFont(9, dpi_, FW_NORMAL, true, L"Segoe UI");
  hotBoldFont_ = MakeFont(9, dpi_, FW_BOLD, true, L"Segoe UI");
  // "Arial Black" 20 pt: a height of -27 pixels at 96 DPI.
  titleFont_ = MakeFont(20, dpi_, FW_BLACK, false, L"Arial Black");
  background_.Reset(::CreateSolidBrush(::GetSysColor(design_.backgroundColor)));

  RECT outer{0, 0, Scale(design_.clientWidth), Scale(design_.clientHeight)};
  dpi::AdjustWindowRect(outer, kStyle, kExStyle, dpi_);
  const int width = outer.right - outer.left;
  const int height = design_.outerHeight > 0 ? Scale(design_.outerHeight) : outer.bottom - outer.top;
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(monitor, &info);
  const RECT& work = info.rcWork;
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  ::CreateWindowExW(kExStyle, design_.className, design_.caption.c_str(), kStyle, left, top, width, height, owner,
                    nullptr, instance, this);
  if (Handle() == nullptr) return false;
  CreateControls();
  return true;
}

int ModalDialog::DesignRight(HWND control) const {
  RECT r{};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
  return ::MulDiv(r.right, 96, static_cast<int>(dpi_));
}

SIZE ModalDialog::TextSize(const std::wstring& text, HFONT font) const {
  WindowDc dc(Handle());
  const SelectionGuard selected(dc.Get(), font);
  RECT fit{0, 0, 0, 0};
  ::DrawTextW(dc.Get(), text.empty() ? L" " : text.c_str(), -1, &fit, DT_CALCRECT | DT_NOPREFIX);
  return SIZE{fit.right + 1, fit.bottom};
}

int ModalDialog::ClientBottom() const {
  RECT client{};
  ::GetClientRect(Handle(), &client);
  return ::MulDiv(client.bottom, 96, static_cast<int>(dpi_));
}

HFONT ModalDialog::FontOf(TextFont font) const {
  switch (font) {
    case TextFont::Bold:
      return boldFont_.Get();
    case TextFont::Title:
      return titleFont_.Get();
    case TextFont::Normal:
      break;
  }
  return normalFont_.Get();
}

HWND ModalDialog::AddLabel(const std::string& text, int left, int top, int width, int height, bool centred,
                           TextFont font) {
  const std::wstring wide = WideFromUtf8(text);
  const HFONT hfont = FontOf(font);
  int w = Scale(width);
  int h = Scale(height);
  if (width == 0) {
    // Sized to its text, as an auto-sized label is.
    const SIZE fit = TextSize(wide, hfont);
    w = fit.cx;
    h = fit.cy;
  }
  const DWORD style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | (centred ? SS_CENTER : SS_LEFT);
  HWND label = ::CreateWindowExW(0, L"STATIC", wide.c_str(), style, Scale(left), Scale(top), w, h, Handle(), nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(hfont), FALSE);
  return label;
}

HWND ModalDialog::AddLink(int id, const std::string& text, int left, int top, int width, int height, COLORREF color,
                          TextFont font) {
  const std::wstring wide = WideFromUtf8(text);
  RECT client{};
  ::GetClientRect(Handle(), &client);
  // Never past the client's edge: a left that starts after a label in the system's font, with the
  // design's width, overran it by a rounding's pixels at 200 %.
  const int room = static_cast<int>(client.right) - Scale(left);
  const int w = std::min(room, std::max(Scale(width), static_cast<int>(TextSize(wide, FontOf(font)).cx)));
  HWND link = ::CreateWindowExW(
      0, L"STATIC", wide.c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_NOTIFY, Scale(left), Scale(top), w,
      Scale(height), Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(font)), FALSE);
  links_.push_back({link, Link{id, color, font}});
  return link;
}

HWND ModalDialog::AddButton(int id, const wchar_t* text, int left, int top, int width, int height) {
  HWND button = ::CreateWindowExW(
      0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, Scale(left), Scale(top), Scale(width),
      Scale(height), Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
  ::SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_.Get()), FALSE);
  ::SetFocus(button);
  return button;
}

const ModalDialog::Link* ModalDialog::LinkOf(HWND control) const {
  for (const auto& [window, link] : links_) {
    if (window == control) return &link;
  }
  return nullptr;
}

// Links are plain until the pointer is over one, which then shows its underline.
void ModalDialog::SetHotLink(HWND control) {
  if (control == hotLink_) return;
  if (hotLink_ != nullptr) {
    ::SendMessageW(hotLink_, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(LinkOf(hotLink_)->font)), TRUE);
  }
  hotLink_ = control;
  if (hotLink_ != nullptr) {
    const HFONT hot = LinkOf(hotLink_)->font == TextFont::Bold ? hotBoldFont_.Get() : hotFont_.Get();
    ::SendMessageW(hotLink_, WM_SETFONT, reinterpret_cast<WPARAM>(hot), TRUE);
  }
}

LRESULT ModalDialog::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      ::GetClientRect(Handle(), &client);
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, background_.Get());
      return TRUE;
    }
    case WM_PAINT: {
      PaintScope paint(Handle());
      Paint(paint.Dc());
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const Link* link = LinkOf(reinterpret_cast<HWND>(lParam));
      ::SetTextColor(dc, link != nullptr ? link->color : ::GetSysColor(COLOR_WINDOWTEXT));
      ::SetBkColor(dc, ::GetSysColor(design_.backgroundColor));
      return reinterpret_cast<LRESULT>(background_.Get());
    }
    case WM_SETCURSOR: {
      const HWND over = reinterpret_cast<HWND>(wParam);
      const bool onLink = LinkOf(over) != nullptr;
      SetHotLink(onLink ? over : nullptr);
      if (onLink) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK || id == IDCANCEL) {
        done_ = true;
        return 0;
      }
      if (HIWORD(wParam) == STN_CLICKED && LinkOf(reinterpret_cast<HWND>(lParam)) != nullptr) {
        LinkClicked(id);
        return 0;
      }
      break;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) done_ = true;
      return 0;
    case WM_CLOSE:
      done_ = true;
      return 0;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}
