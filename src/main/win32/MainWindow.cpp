#include "main/win32/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <iterator>
#include <string>

#include "dialogs/win32/AboutWindow.h"
#include "dialogs/win32/CheckUpdateWindow.h"
#include "main/PanelAccessibility.h"
#include "main/PanelLayout.h"
#include "main/WindowChrome.h"
#include "main/win32/MenuBuilder.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/ResourceIds.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32Workers.h"
#include "platform/win32/WindowIds.h"

namespace {

constexpr int kDesignClientWidth = 468;
constexpr int kDesignClientHeight = 282;

// The ordinary sizeable frame, adjusted as the window is created.
const DWORD kStyle = CreateParams(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
constexpr DWORD kExStyle = 0;

Rect ToTRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

ShiftState KeyboardShiftState() {
  return ShiftState{::GetKeyState(VK_SHIFT) < 0, ::GetKeyState(VK_CONTROL) < 0, ::GetKeyState(VK_MENU) < 0};
}

// The zoom list keeps its own arrow keys; everywhere else in the window they move the pointer.
bool PictureHasKeyboard(HWND window, HWND focus) {
  if (focus == window) return true;
  wchar_t name[32] = L"";
  ::GetClassNameW(focus, name, static_cast<int>(std::size(name)));
  return ::IsChild(window, focus) && ::lstrcmpiW(name, WC_COMBOBOXW) != 0 && ::lstrcmpiW(name, L"ComboLBox") != 0;
}

HICON LoadProgramIcon(HINSTANCE instance, int sizeMetric) {
  const int size = ::GetSystemMetrics(sizeMetric);
  return static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(GLIMMERLUX_ICON), IMAGE_ICON, size, size, LR_SHARED));
}

// The designed client size at the primary monitor's DPI, centred on its work area.
RECT InitialPlacement() {
  HMONITOR primary = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!::GetMonitorInfoW(primary, &monitor)) {
    monitor.rcWork = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  const UINT monitorDpi = dpi::ForMonitor(primary);
  RECT outer{0, 0, dpi::Scale(kDesignClientWidth, monitorDpi), dpi::Scale(kDesignClientHeight, monitorDpi)};
  dpi::AdjustWindowRect(outer, kStyle, kExStyle, monitorDpi);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const RECT& work = monitor.rcWork;
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  return RECT{left, top, left + width, top + height};
}

}  // namespace

MainWindow::MainWindow(Tfrmmain& frm, Win32Services& platform)
    : frm_(frm),
      platform_(platform),
      view_(frm.imageview1()),
      panel_(frm.panel, [this](const MenuTable& menu, POINT at) { PopupMenuAt(menu, frm_, Handle(), at); }),
      readout_(frm.colorCheck),
      shell_(frm, platform.tray),
      shortcuts_(BuildAccelerators(MainMenuTable())) {
  frm_.panel.OnChanged = [this] { PanelChanged(); };
  HostDialogs();
  frm_.colorCheck.OnChanged = [this] { ColorCheckChanged(); };
}

void MainWindow::ColorCheckChanged() {
  if (Handle() == nullptr) return;
  frm_.UpdateTitleCaption();
  readout_.Sync();
}

void MainWindow::PanelChanged() {
  panel_.Sync();
  // Showing or hiding the panel gives its height to the picture or takes it back.
  if (panelShown_ != frm_.panel.Panel1.Visible && Handle() != nullptr) {
    panelShown_ = frm_.panel.Panel1.Visible;
    RECT client;
    ::GetClientRect(Handle(), &client);
    OnSize(SIZE_RESTORED, client.right, client.bottom);
  }
}

bool MainWindow::PreviewKey(const MSG& message) {
  if (Handle() == nullptr || (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)) return false;
  if (message.hwnd != Handle() && !::IsChild(Handle(), message.hwnd)) return false;
  auto key = static_cast<uint16_t>(message.wParam);
  const ShiftState shift = KeyboardShiftState();
  // The zoom list keeps Shift+F10 to itself, where every other control passes it on as a
  // request for the context menu.
  if (key == VK_F10 && shift.Shift && !shift.Ctrl && !shift.Alt && !PictureHasKeyboard(Handle(), message.hwnd)) {
    ::SendMessageW(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(message.hwnd), MAKELPARAM(-1, -1));
    return true;
  }
  if (message.message != WM_KEYDOWN) return false;
  frm_.FormKeyDown(key, shift);
  if (PictureHasKeyboard(Handle(), message.hwnd) && frm_.PictureKeyDown(key, shift)) return true;
  if (key == VK_TAB && !shift.Ctrl && !shift.Alt) return MoveFocus(message.hwnd, shift.Shift);
  if (key == VK_RETURN && PressFocusedButton(message.hwnd)) return true;
  return false;  // the control with the focus still gets the key
}

bool MainWindow::PressFocusedButton(HWND focus) {
  // Enter presses a panel button as in a dialog; Space does too, but also switches the magnifier.
  wchar_t className[16] = {};
  if (focus == Handle() || ::GetClassNameW(focus, className, 16) == 0 || std::wstring(className) != WC_BUTTONW) {
    return false;
  }
  ::SendMessageW(focus, BM_CLICK, 0, 0);
  return true;
}

bool MainWindow::MoveFocus(HWND from, bool backwards) {
  // The panel's controls take turns, as in a dialog.
  HWND next = ::GetNextDlgTabItem(Handle(), from == Handle() ? nullptr : from, backwards);
  if (next == nullptr) return false;
  ::SetFocus(next);
  return true;
}

bool MainWindow::Register(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  if (::GetClassInfoExW(instance, kClassName, &windowClass)) return true;
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WndProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadProgramIcon(instance, SM_CXICON);
  windowClass.hIconSm = LoadProgramIcon(instance, SM_CXSMICON);
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  return ::RegisterClassExW(&windowClass) != 0;
}

bool MainWindow::Create(HINSTANCE instance) {
  if (!Register(instance)) return false;
  const RECT placement = InitialPlacement();
  ::CreateWindowExW(kExStyle, kClassName, kCaption, kStyle, placement.left, placement.top,
                    placement.right - placement.left, placement.bottom - placement.top, nullptr, nullptr, instance,
                    this);
  return Handle() != nullptr;
}

void MainWindow::Show(int showCommand) {
  frm_.RestoreFormState();
  ::ShowWindow(Handle(), showCommand);
  // Asked to stay hidden, the window gets no WM_SHOWWINDOW; the settings must apply all the same.
  if (!::IsWindowVisible(Handle())) frm_.FormShow();
  ::UpdateWindow(Handle());
}

bool MainWindow::TranslateShortcut(MSG& message) {
  if (!shortcuts_ || Handle() == nullptr) return false;
  // Only while the keyboard focus is in this window, not in a dialog it opened.
  if (message.hwnd != Handle() && !::IsChild(Handle(), message.hwnd)) return false;
  return ::TranslateAcceleratorW(Handle(), shortcuts_.Get(), &message) != 0;
}

LRESULT MainWindow::MessageHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const std::optional<LRESULT> answer = shell_.Handle(Handle(), message, wParam, lParam)) return *answer;
  switch (message) {
    case WM_CREATE:
      return OnCreate(reinterpret_cast<const CREATESTRUCTW*>(lParam)->hInstance) ? 0 : -1;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_MOVING:
      OnMoving(*reinterpret_cast<RECT*>(lParam));
      return TRUE;
    case WM_SHOWWINDOW:
      if (wParam != FALSE)
        frm_.FormShow();
      else
        frm_.FormHide();
      break;
    case WM_ENTERMENULOOP:
      frm_.commandPoint.MenuShown();
      break;
    case WM_EXITMENULOOP:
      frm_.commandPoint.MenuHidden();
      break;
    case WM_DPICHANGED:
      OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SYSCOLORCHANGE:
      panel_.ColorsChanged();
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETHIGHCONTRAST) panel_.ColorsChanged();
      // A new scheme or size keeps the system cursors' handles, and a still frame compares only
      // handle and hot spot: the hot spot is read anew and the view repainted in full.
      platform_.screen.CursorsChanged();
      if (HWND view = view_.Handle()) ::InvalidateRect(view, nullptr, FALSE);
      break;
    case WM_DISPLAYCHANGE:
      platform_.screen.DisplayChanged();
      frm_.DisplayChanged();
      break;
    case WM_TIMER:
      OnTimer(static_cast<uintptr_t>(wParam));
      return 0;
    case kWorkDoneMessage:
      frm_.WorkDone();
      return 0;
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam))) return 0;
      break;
    case WM_CONTEXTMENU:
      OnContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CLOSE:
      frm_.Close();
      return 0;
    case WM_DESTROY: {
      // Posted whatever the form's ending throws, so no program without a window runs on; and
      // after it, so that a notice the ending shows stays open until it is read.
      struct QuitAfter {
        ~QuitAfter() { ::PostQuitMessage(0); }
      } quit;
      frm_.FormDestroy();
      return 0;
    }
    case WM_NCDESTROY:
      OnNcDestroy();
      break;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

bool MainWindow::OnCreate(HINSTANCE instance) {
  platform_.SetOwner(Handle());
  frm_.AttachWindow(ToWindowId(Handle()));
  frm_.FormCreate();
  if (!view_.Create(Handle(), instance)) return false;
  if (!panel_.Create(Handle(), instance)) return false;
  // Without it the magnifier still works; only the contrast readout is missing.
  readout_.Create(Handle(), instance);
  RECT client;
  ::GetClientRect(Handle(), &client);
  OnSize(SIZE_RESTORED, client.right, client.bottom);
  return true;
}

void MainWindow::OnSize(UINT kind, int width, int height) {
  // A minimised window reports an empty client area; the view keeps its size so the
  // picture goes on unchanged.
  if (kind == SIZE_MINIMIZED) return;
  UINT windowDpi = dpi::ForWindow(Handle());
  if (windowDpi == 0) windowDpi = kDesignDpi;
  frm_.panel.SetPanelHeight(StatusPanelWindow::HeightFor(windowDpi));
  panelShown_ = frm_.panel.Panel1.Visible;
  const Rect viewArea = frm_.ClientResized(width, height);
  view_.Move(viewArea.left, viewArea.top, viewArea.Width(), viewArea.Height());
  panel_.Layout(width, height, windowDpi);
  RECT outer{};
  ::GetWindowRect(Handle(), &outer);
  // The widths at which controls give way were chosen at 96 DPI.
  frm_.FormResize(DesignedWidth(outer.right - outer.left, static_cast<int>(windowDpi)));
}

void MainWindow::OnContextMenu(POINT at) {
  if (IsKeyboardMenuRequest(Point{at.x, at.y})) {
    // Shift+F10 or the context-menu key: by what has the focus, wherever the pointer is.
    RECT client{};
    ::GetClientRect(Handle(), &client);
    ::MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    HWND focus = ::GetFocus();
    RECT focused = client;
    if (focus != nullptr && focus != Handle() && ::IsChild(Handle(), focus)) ::GetWindowRect(focus, &focused);
    const Point point = KeyboardMenuPoint(ToTRect(focused), ToTRect(client));
    at = POINT{point.x, point.y};
  }
  PopupMenuAt(MainMenuTable(), frm_, Handle(), at);
}

void MainWindow::OnGetMinMaxInfo(MINMAXINFO& limits) {
  UINT windowDpi = dpi::ForWindow(Handle());
  if (windowDpi == 0) windowDpi = kDesignDpi;
  // In the same designed units as the width rule, so the zoom list and the close button fit at any scale.
  const int minimum = MinimumOuterSize(static_cast<int>(windowDpi));
  limits.ptMinTrackSize = POINT{minimum, minimum};
}

void MainWindow::OnMoving(RECT& moving) {
  HMONITOR monitor = ::MonitorFromRect(&moving, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(monitor, &info)) return;
  const Rect snapped = SnapToWorkArea(ToTRect(moving), ToTRect(info.rcWork));
  moving = RECT{snapped.left, snapped.top, snapped.right, snapped.bottom};
}

void MainWindow::OnDpiChanged(const RECT& suggested) {
  // Cursors are drawn at the new DPI's size, hot spots with them.
  platform_.screen.CursorsChanged();
  ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnTimer(uintptr_t id) {
  if (id == kTimer1Id) frm_.Timer1Timer();
  if (id == kUpdateDeadlineTimerId) frm_.UpdateDeadlineTimer();
}

bool MainWindow::OnCommand(WORD id) { return RunMenuCommand(frm_, id); }

// The dialog in front of this window: the one it opened, or a box that dialog opened.
HWND MainWindow::ModalPopup() const {
  const HWND popup = ::GetLastActivePopup(Handle());
  return popup != Handle() ? popup : nullptr;
}

void MainWindow::HostDialogs() {
  frm_.dialogs.host = {
      [this](TfrmCheckUpdate& dialog) { CheckUpdateWindow(dialog).ShowModal(Handle()); },
      [this](TfrmAbout& about) { AboutWindow(about).ShowModal(Handle()); },
      [this] {
        if (const HWND popup = ModalPopup()) {
          ::ShowWindow(popup, SW_SHOWNORMAL);
          ::SetForegroundWindow(popup);
        }
      },
      [this] {
        if (const HWND popup = ModalPopup()) ::PostMessageW(popup, WM_CLOSE, 0, 0);
      },
  };
}

void MainWindow::OnNcDestroy() {
  frm_.dialogs.host = {};
  frm_.panel.OnChanged = nullptr;
  frm_.colorCheck.OnChanged = nullptr;
  frm_.AttachWindow(0);
  platform_.SetOwner(nullptr);
}
