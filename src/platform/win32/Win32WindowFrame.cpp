#include "platform/win32/Win32WindowFrame.h"

#include <windows.h>

#include "platform/win32/Utf.h"
#include "platform/win32/WindowIds.h"

namespace {

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

// Looked up at run time, as on systems that lack it the window simply stays opaque.
SetLayeredWindowAttributesFn LayeredAttributes() {
  static const auto function = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return SetLayeredWindowAttributesFn{};
    // Through the generic function type so -Wcast-function-type accepts the cast.
    return reinterpret_cast<SetLayeredWindowAttributesFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(user32, "SetLayeredWindowAttributes")));
  }();
  return function;
}

// 0xF012: SC_MOVE combined with the caption's hit-test code, as if the caption were dragged.
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;

}  // namespace

uint32_t Win32WindowFrame::Style(WindowId window) {
  return static_cast<uint32_t>(::GetWindowLongPtrW(ToHwnd(window), GWL_STYLE));
}

void Win32WindowFrame::SetStyle(WindowId window, uint32_t style) {
  ::SetWindowLongPtrW(ToHwnd(window), GWL_STYLE, static_cast<LONG_PTR>(style));
}

uint32_t Win32WindowFrame::ExStyle(WindowId window) {
  return static_cast<uint32_t>(::GetWindowLongPtrW(ToHwnd(window), GWL_EXSTYLE));
}

void Win32WindowFrame::SetExStyle(WindowId window, uint32_t style) {
  ::SetWindowLongPtrW(ToHwnd(window), GWL_EXSTYLE, static_cast<LONG_PTR>(style));
}

void Win32WindowFrame::FrameChanged(WindowId window) {
  ::SetWindowPos(ToHwnd(window), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void Win32WindowFrame::SetCaption(WindowId window, const std::string& caption) {
  ::SetWindowTextW(ToHwnd(window), WideFromUtf8(caption).c_str());
}

void Win32WindowFrame::RedrawAll(WindowId window) {
  ::RedrawWindow(ToHwnd(window), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool Win32WindowFrame::SetLayeredOpacity(WindowId window, uint8_t alpha) {
  const SetLayeredWindowAttributesFn setAttributes = LayeredAttributes();
  if (setAttributes == nullptr || window == 0) return false;
  const HWND hwnd = ToHwnd(window);
  ::SetWindowLongPtrW(hwnd, GWL_EXSTYLE, ::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
  return setAttributes(hwnd, 0, alpha, LWA_ALPHA) != FALSE;
}

void Win32WindowFrame::SetTopmost(WindowId window, bool topmost, const Rect& bounds) {
  ::SetWindowPos(ToHwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, bounds.left, bounds.top, bounds.Width(),
                 bounds.Height(), 0);
}

void Win32WindowFrame::SetBounds(WindowId window, const Rect& bounds) {
  ::SetWindowPos(ToHwnd(window), nullptr, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32WindowFrame::BeginMoveByPointer(WindowId window) {
  ::ReleaseCapture();
  ::SendMessageW(ToHwnd(window), WM_SYSCOMMAND, kMoveByCaption, 0);
}

bool Win32WindowFrame::IsVisible(WindowId window) { return ::IsWindowVisible(ToHwnd(window)) != FALSE; }

bool Win32WindowFrame::GetPlacement(WindowId window, WindowPlacement& placement) {
  WINDOWPLACEMENT p{};
  p.length = sizeof(p);
  if (!::GetWindowPlacement(ToHwnd(window), &p)) return false;
  const RECT& r = p.rcNormalPosition;
  placement = WindowPlacement{p.flags,
                              p.showCmd,
                              {p.ptMinPosition.x, p.ptMinPosition.y},
                              {p.ptMaxPosition.x, p.ptMaxPosition.y},
                              {r.left, r.top, r.right, r.bottom}};
  return true;
}

void Win32WindowFrame::SetPlacement(WindowId window, const WindowPlacement& placement) {
  WINDOWPLACEMENT p{};
  p.length = sizeof(p);
  p.flags = placement.flags;
  p.showCmd = placement.showCommand;
  p.ptMinPosition = POINT{placement.minPosition.x, placement.minPosition.y};
  p.ptMaxPosition = POINT{placement.maxPosition.x, placement.maxPosition.y};
  const Rect& r = placement.normal;
  p.rcNormalPosition = RECT{r.left, r.top, r.right, r.bottom};
  ::SetWindowPlacement(ToHwnd(window), &p);
}
