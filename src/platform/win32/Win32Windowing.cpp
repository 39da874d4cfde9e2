#include "platform/win32/Win32Windowing.h"

#include <windows.h>

#include "platform/win32/WindowIds.h"

namespace {

void MoveWindowCorner(HWND window, int left, int top) {
  ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

WindowId Win32Windowing::RootWindowFromPoint(Point p) {
  HWND window = ::WindowFromPoint(POINT{p.x, p.y});
  if (window == nullptr) return 0;
  return ToWindowId(::GetAncestor(window, GA_ROOT));
}

Rect Win32Windowing::WindowRect(WindowId window) {
  RECT r;
  if (!::GetWindowRect(ToHwnd(window), &r)) return Rect{};
  return Rect{r.left, r.top, r.right, r.bottom};
}

// A null window would mean "every window on the desktop" to InvalidateRect and a
// thread timer to SetTimer; a view or form without its window yet asks for neither.
void Win32Windowing::Invalidate(WindowId window) {
  if (window != 0) ::InvalidateRect(ToHwnd(window), nullptr, FALSE);
}

void Win32Windowing::InvalidateArea(WindowId window, const Rect& area) {
  if (window == 0) return;
  const RECT r{area.left, area.top, area.right, area.bottom};
  ::InvalidateRect(ToHwnd(window), &r, TRUE);
}

void Win32Windowing::StartTimer(WindowId window, uintptr_t id, uint32_t intervalMs) {
  if (window != 0) ::SetTimer(ToHwnd(window), id, intervalMs, nullptr);
}

void Win32Windowing::StopTimer(WindowId window, uintptr_t id) {
  if (window != 0) ::KillTimer(ToHwnd(window), id);
}

void Win32Windowing::SetWindowLeft(WindowId window, int left) {
  RECT r;
  if (::GetWindowRect(ToHwnd(window), &r)) MoveWindowCorner(ToHwnd(window), left, r.top);
}

void Win32Windowing::SetWindowTop(WindowId window, int top) {
  RECT r;
  if (::GetWindowRect(ToHwnd(window), &r)) MoveWindowCorner(ToHwnd(window), r.left, top);
}
