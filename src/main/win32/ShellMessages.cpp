#include "main/win32/ShellMessages.h"

#include <shellapi.h>

#include "main/win32/MenuBuilder.h"
#include "platform/win32/Win32AppWindow.h"

ShellMessages::ShellMessages(Tfrmmain& frm, TrayIcon& icon, Win32Tray& tray)
    : frm_(frm), icon_(icon), tray_(tray), taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

std::optional<LRESULT> ShellMessages::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    icon_.TaskbarCreated();
    return 0;
  }
  switch (message) {
    case kTrayCallbackMessage:
      // The event is the low word under every version of the icon's messages.
      OnTrayEvent(window, LOWORD(lParam));
      return 0;
    case WM_HOTKEY:
      frm_.WMHotKey();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && icon_.MinimizeCommand()) return 0;
      break;
    case WM_QUERYENDSESSION:
      return frm_.QueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      frm_.EndSession(wParam != FALSE);
      return 0;
    case WM_TIMER:
      if (wParam != kTrayRetryTimerId) break;
      icon_.RetryTimer();
      return 0;
    case kDestroyWindowMessage:
      ::DestroyWindow(window);
      return 0;
    default:
      break;
  }
  return std::nullopt;
}

void ShellMessages::OnTrayEvent(HWND window, UINT event) {
  switch (event) {
    case WM_LBUTTONDOWN:
      icon_.IconLeftDown();
      break;
    case WM_LBUTTONUP:
      icon_.IconLeftUp();
      break;
    case WM_CONTEXTMENU:
    case NIN_KEYSELECT:
      OpenMenu(window);
      break;
    case WM_RBUTTONUP:
      if (!tray_.TellsContextMenu()) OpenMenu(window);
      break;
    default:
      break;
  }
}

void ShellMessages::OpenMenu(HWND window) {
  POINT at{};
  if (::GetCursorPos(&at)) PopupMenuAt(MainMenuTable(), frm_, window, at);
}
