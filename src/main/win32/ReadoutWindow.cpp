#include "main/win32/ReadoutWindow.h"

#include <algorithm>

#include "platform/win32/Dpi.h"
#include "platform/win32/Utf.h"

namespace {

constexpr int kDesignWidth = 340;
constexpr int kDesignHeight = 150;
constexpr int kDesignMargin = 6;
constexpr int kFontHeight = 12;  // Segoe UI 9 pt at 96 DPI
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

std::wstring WindowsLines(const std::string& text) {
  std::wstring lines;
  for (const wchar_t c : WideFromUtf8(text)) {
    if (c == L'\n') lines += L'\r';
    lines += c;
  }
  return lines;
}

}  // namespace

bool ReadoutWindow::Register(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  if (::GetClassInfoExW(instance, kClassName, &windowClass)) return true;
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WndProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClassName;
  return ::RegisterClassExW(&windowClass) != 0;
}

bool ReadoutWindow::Create(HWND owner, HINSTANCE instance) {
  if (!Register(instance)) return false;
  owner_ = owner;
  const UINT dpi = std::max(dpi::ForWindow(owner), kDesignDpi / 2);
  RECT outer{0, 0, dpi::Scale(kDesignWidth, dpi), dpi::Scale(kDesignHeight, dpi)};
  dpi::AdjustWindowRect(outer, kStyle, kExStyle, dpi);
  ::CreateWindowExW(kExStyle, kClassName, kCaption, kStyle, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                    owner, nullptr, instance, this);
  if (Handle() == nullptr) return false;
  const int margin = dpi::Scale(kDesignMargin, dpi);
  text_ = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, margin, margin,
                            dpi::Scale(kDesignWidth, dpi) - 2 * margin, dpi::Scale(kDesignHeight, dpi) - 2 * margin,
                            Handle(), nullptr, instance, nullptr);
  font_.Reset(::CreateFontW(-dpi::Scale(kFontHeight, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Segoe UI"));
  if (text_ != nullptr) ::SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return true;
}

void ReadoutWindow::PlaceBesideOwner() {
  RECT owner{}, self{};
  if (!::GetWindowRect(owner_, &owner) || !::GetWindowRect(Handle(), &self)) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!::GetMonitorInfoW(::MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& work = monitor.rcWork;
  const int width = self.right - self.left;
  const int height = self.bottom - self.top;
  int left = owner.right;
  if (left + width > work.right) left = owner.left - width;
  if (left < work.left) left = owner.left;
  const int top = std::clamp(static_cast<int>(owner.top), static_cast<int>(work.top),
                             std::max(static_cast<int>(work.top), static_cast<int>(work.bottom) - height));
  ::SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ReadoutWindow::Sync() {
  if (Handle() == nullptr) return;
  const ColorReadout& readout = check_.readout;
  std::wstring text = WindowsLines(readout.Text);
  if (text != shown_) {
    shown_ = std::move(text);
    ::SetWindowTextW(text_, shown_.c_str());
  }
  const bool visible = ::IsWindowVisible(Handle()) != FALSE;
  if (readout.Visible && !visible) {
    if (!placed_) PlaceBesideOwner();
    placed_ = true;
    // It must not take the keyboard from the picture, whose arrow keys move the pointer.
    ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
  } else if (!readout.Visible && visible) {
    ::ShowWindow(Handle(), SW_HIDE);
  }
}

LRESULT ReadoutWindow::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      check_.ReadoutClosed();
      return 0;
    case WM_CTLCOLORSTATIC:
      ::SetBkColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOW));
      ::SetTextColor(reinterpret_cast<HDC>(wParam), ::GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}
