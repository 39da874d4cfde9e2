#include "view/win32/ViewWindow.h"

#include <windowsx.h>

#include "platform/win32/DibSurface.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WindowIds.h"

namespace {

Point PointFrom(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Grey where the picture does not reach, so no stale pixels show when it is smaller.
void FillOutside(HDC dc, HWND window, int width, int height) {
  RECT client;
  if (!::GetClientRect(window, &client)) return;
  if (client.right <= width && client.bottom <= height) return;
  const HGDIOBJ brush = ::GetStockObject(DC_BRUSH);
  ::SetDCBrushColor(dc, kViewGrey);
  const RECT right{width, 0, client.right, client.bottom};
  const RECT below{0, height, width, client.bottom};
  if (right.left < right.right) ::FillRect(dc, &right, static_cast<HBRUSH>(brush));
  if (below.top < below.bottom) ::FillRect(dc, &below, static_cast<HBRUSH>(brush));
}

}  // namespace

bool ViewWindow::Register(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  if (::GetClassInfoExW(instance, ViewWindow::kClassName, &windowClass)) return true;
  windowClass.cbSize = sizeof(windowClass);
  // No CS_HREDRAW/CS_VREDRAW: a resize repaints only what the view itself invalidates.
  // CS_OWNDC: under Wine, giving a cache DC back after each paint resets its font, which
  // rereads the X resources from disk every frame.
  windowClass.style = CS_DBLCLKS | CS_OWNDC;
  windowClass.lpfnWndProc = WndProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = ViewWindow::kClassName;
  return ::RegisterClassExW(&windowClass) != 0;
}

bool ViewWindow::Create(HWND parent, HINSTANCE instance) {
  if (!Register(instance)) return false;
  const ViewWindowStyle look = view_.CreateParams();
  // The view may hold child controls: clip them out of its painting.
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (look.border) style |= WS_BORDER;
  if (look.clientEdge) exStyle |= WS_EX_CLIENTEDGE;
  ::CreateWindowExW(exStyle, kClassName, L"", style, 0, 0, view_.Width(), view_.Height(), parent, nullptr, instance,
                    this);
  return Handle() != nullptr;
}

void ViewWindow::Move(int x, int y, int width, int height) {
  ::SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ViewWindow::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      view_.WMSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      OnWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
      break;
    case WM_TIMER:
      view_.WMTimer();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_MOUSEWHEEL:
      return 0;
    case WM_LBUTTONDOWN:
      OnButtonDown(MouseButton::Left, PointFrom(lParam));
      return 0;
    case WM_RBUTTONDOWN:
      OnButtonDown(MouseButton::Right, PointFrom(lParam));
      return 0;
    case WM_MBUTTONDOWN:
      OnButtonDown(MouseButton::Middle, PointFrom(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick(PointFrom(lParam));
      return 0;
    case WM_RBUTTONDBLCLK:
      OnButtonDown(MouseButton::Right, PointFrom(lParam));
      return 0;
    case WM_MBUTTONDBLCLK:
      OnButtonDown(MouseButton::Middle, PointFrom(lParam));
      return 0;
    // Button-up goes on to the default handling, which raises WM_CONTEXTMENU after a right click.
    case WM_LBUTTONUP:
      OnButtonUp(MouseButton::Left, PointFrom(lParam));
      break;
    case WM_RBUTTONUP:
      OnButtonUp(MouseButton::Right, PointFrom(lParam));
      break;
    case WM_MBUTTONUP:
      OnButtonUp(MouseButton::Middle, PointFrom(lParam));
      break;
    case WM_NCDESTROY:
      OnNcDestroy();
      break;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

void ViewWindow::OnCreate() {
  // Before the first WM_SIZE, so every repaint request names this window.
  view_.AttachWindow(ToWindowId(Handle()));
}

void ViewWindow::OnPaint() {
  PaintScope paint(Handle());
  // The composed picture is the back buffer: it covers the view in one blit, so the grey
  // it starts from never reaches the screen.
  const Bitmap* picture = view_.Paint();
  if (picture == nullptr || picture->Empty()) return;
  const int width = picture->Width();
  const int height = picture->Height();
  if (HDC source = DibSurface::DcOf(*picture)) {
    ::BitBlt(paint.Dc(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  } else {
    const BITMAPINFO info = TopDownDibInfo(width, height);
    ::SetDIBitsToDevice(paint.Dc(), 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                        static_cast<UINT>(height), picture->Pixels(), &info, DIB_RGB_COLORS);
  }
  FillOutside(paint.Dc(), Handle(), width, height);
}

void ViewWindow::OnWindowPosChanged(const WINDOWPOS& pos) {
  if (pos.flags & SWP_NOSIZE) return;
  view_.WMWindowPosChanged(pos.cx, pos.cy);
}

void ViewWindow::OnButtonDown(MouseButton button, Point at) {
  // Keeps the button-up for this view even when the pointer leaves it.
  ::SetCapture(Handle());
  if (view_.OnMouseDown) view_.OnMouseDown(&view_, button, at);
}

void ViewWindow::OnButtonUp(MouseButton button, Point at) {
  if (::GetCapture() == Handle()) ::ReleaseCapture();
  if (view_.OnMouseUp) view_.OnMouseUp(&view_, button, at);
}

void ViewWindow::OnDoubleClick(Point at) {
  // The double click replaces the second button-down: report both, the click first.
  if (view_.OnDblClick) view_.OnDblClick(&view_);
  OnButtonDown(MouseButton::Left, at);
}

void ViewWindow::OnNcDestroy() { view_.AttachWindow(0); }
