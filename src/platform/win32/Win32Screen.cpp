#include "platform/win32/Win32Screen.h"

#include <algorithm>
#include <utility>

#include "platform/win32/DibSurface.h"

namespace {

// SRCCOPY | CAPTUREBLT: layered (translucent) windows are part of the copy.
constexpr DWORD kCaptureRop = SRCCOPY | CAPTUREBLT;

// How long the desktop's bounds and the cursor's hot spot are trusted without a message.
constexpr ULONGLONG kKeepMilliseconds = 1000;

// The part of the `width` x `height` rectangle at (left, top) that lies inside `bitmap`.
bool ClipToBitmap(int64_t left, int64_t top, int64_t width, int64_t height, const Bitmap& bitmap, RECT& out) {
  const int64_t l = std::max<int64_t>(left, 0);
  const int64_t t = std::max<int64_t>(top, 0);
  const int64_t r = std::min<int64_t>(left + std::max<int64_t>(width, 0), bitmap.Width());
  const int64_t b = std::min<int64_t>(top + std::max<int64_t>(height, 0), bitmap.Height());
  if (l >= r || t >= b) return false;
  out = RECT{static_cast<LONG>(l), static_cast<LONG>(t), static_cast<LONG>(r), static_cast<LONG>(b)};
  return true;
}

}  // namespace

Rect Win32Screen::VirtualScreen() {
  const ULONGLONG now = ::GetTickCount64();
  if (virtualScreen_.value && now < virtualScreen_.until) return *virtualScreen_.value;
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const Rect bounds{left, top, left + width, top + height};
  // An empty answer is not kept: the next frame asks again.
  if (width > 0 && height > 0) {
    virtualScreen_ = {bounds, now + kKeepMilliseconds};
  } else {
    virtualScreen_.reset();
  }
  return bounds;
}

const std::vector<RECT>& Win32Screen::MonitorBounds() {
  const ULONGLONG now = ::GetTickCount64();
  if (monitors_.value && now < monitors_.until) return *monitors_.value;
  std::vector<RECT> bounds;
  ::EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, RECT*, LPARAM list) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (::GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<RECT>*>(list)->push_back(info.rcMonitor);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&bounds));
  monitors_ = {std::move(bounds), now + kKeepMilliseconds};
  return *monitors_.value;
}

// `target` must be a DIB surface (DibSurfaceFactory): any other is refused with false.
bool Win32Screen::CaptureDesktop(const Rect& source, Bitmap& target, Point at) {
  // The screen DC of GetDC(NULL), never CreateDCW(L"DISPLAY"): on Windows both put the primary's
  // top-left at (0, 0), but Wine 8's display DC puts (0, 0) at the virtual screen's top-left and
  // clips away negative coordinates, so with a monitor left of or above the primary it showed
  // the wrong place, or black.
  if (!screen_ || !screen_->Get()) screen_.emplace(nullptr);
  if (!*screen_) return false;
  const HDC screen = screen_->Get();
  RECT area;
  if (!ClipToBitmap(at.x, at.y, source.Width(), source.Height(), target, area)) return true;
  const HDC dc = DibSurface::DcOf(target);
  if (dc == nullptr) return false;
  const int64_t shiftX = int64_t{source.left} - at.x;
  const int64_t shiftY = int64_t{source.top} - at.y;
  // Only what lies on a monitor is copied; the rest reads black, as it does on Windows. Wine
  // shows there whatever X holds, and copies nothing at all when the source reaches past the
  // desktop.
  std::vector<RECT>& pieces = pieces_;
  pieces.clear();
  bool whole = false;
  for (const RECT& monitor : MonitorBounds()) {
    RECT piece;
    if (!ClipToBitmap(monitor.left - shiftX, monitor.top - shiftY, monitor.right - monitor.left,
                      monitor.bottom - monitor.top, target, piece) ||
        !::IntersectRect(&piece, &piece, &area)) {
      continue;
    }
    whole = whole || ::EqualRect(&piece, &area);
    pieces.push_back(piece);
  }
  if (!whole) target.FillRect({area.left, area.top, area.right, area.bottom}, 0);
  BOOL copied = TRUE;
  for (const RECT& piece : pieces) {
    copied =
        copied && ::BitBlt(dc, piece.left, piece.top, piece.right - piece.left, piece.bottom - piece.top, screen,
                           static_cast<int>(shiftX + piece.left), static_cast<int>(shiftY + piece.top), kCaptureRop);
  }
  ::GdiFlush();  // the core reads the pixels next
  // A locked session or the secure desktop refuses the copy, and the kept DC may not work
  // again afterwards: the next frame takes a new one.
  if (copied == FALSE) DisplayChanged();
  return copied != FALSE;
}

bool Win32Screen::CurrentCursor(CursorImage& cursor) {
  CURSORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetCursorInfo(&info) || info.hCursor == nullptr) return false;
  const auto handle = reinterpret_cast<uintptr_t>(info.hCursor);
  const ULONGLONG now = ::GetTickCount64();
  // Only the last cursor is kept; a handle freed and made again for another cursor is a new
  // value anyway, since USER handles carry a reuse count in their upper bits.
  if (!lastCursor_.value || lastCursor_.value->handle != handle || now >= lastCursor_.until) {
    const IconInfo icon(info.hCursor);
    if (!icon) return false;
    const POINT hotSpot = icon.HotSpot();
    lastCursor_ = {CursorImage{handle, Point{hotSpot.x, hotSpot.y}}, now + kKeepMilliseconds};
  }
  cursor = *lastCursor_.value;
  return true;
}

// `target` must be a DIB surface (DibSurfaceFactory): any other is refused with false.
bool Win32Screen::DrawCursorImage(Bitmap& target, const CursorImage& cursor, Point at, int size) {
  if (cursor.handle == 0 || size <= 0) return false;
  const HDC dc = DibSurface::DcOf(target);
  if (dc == nullptr) return false;
  const auto icon = reinterpret_cast<HICON>(cursor.handle);
  const BOOL drawn = ::DrawIconEx(dc, at.x, at.y, icon, size, size, 0, nullptr, DI_NORMAL);
  ::GdiFlush();
  return drawn != FALSE;
}

bool Win32Screen::MoveCursorTo(Point pos) { return ::SetCursorPos(pos.x, pos.y) != FALSE; }

bool Win32Screen::CursorPos(Point& pos) {
  POINT p;
  if (!::GetCursorPos(&p)) return false;
  pos = Point{p.x, p.y};
  return true;
}

bool Win32Screen::ControlKeyDown() { return ::GetKeyState(VK_CONTROL) < 0; }

int Win32Screen::PixelsPerInch() {
  const WindowDc screen(nullptr);
  return screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}
