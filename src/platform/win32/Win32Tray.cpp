#include "platform/win32/Win32Tray.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

#include "platform/win32/ResourceIds.h"
#include "platform/win32/Utf.h"
#include "platform/win32/WindowIds.h"

namespace {

constexpr UINT kIconId = 1;

NOTIFYICONDATAW IconData(WindowId window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = ToHwnd(window);
  data.uID = kIconId;
  return data;
}

// Shared, so the system keeps it for the life of the program.
HICON SmallProgramIcon() {
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(GLIMMERLUX_ICON), IMAGE_ICON,
                                         ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

}  // namespace

bool Win32Tray::AddIcon(WindowId window, const std::string& tip) {
  NOTIFYICONDATAW data = IconData(window);
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = SmallProgramIcon();
  const std::wstring wide = WideFromUtf8(tip);
  const size_t length = std::min(wide.size(), std::size(data.szTip) - 1);
  std::copy_n(wide.begin(), length, data.szTip);
  // A shell too busy to answer in time may still have taken the icon: then it can be modified.
  if (!::Shell_NotifyIconW(NIM_ADD, &data) && !::Shell_NotifyIconW(NIM_MODIFY, &data)) return false;
  data.uVersion = NOTIFYICON_VERSION_4;
  tellsContextMenu_ = ::Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
  return true;
}

void Win32Tray::RemoveIcon(WindowId window) {
  NOTIFYICONDATAW data = IconData(window);
  ::Shell_NotifyIconW(NIM_DELETE, &data);
}
