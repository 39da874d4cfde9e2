#include "platform/win32/Win32Messages.h"

#include "platform/win32/Utf.h"

void Win32Messages::ShowMessage(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  ::MessageBoxW(owner_, wide.c_str(), L"Glimmerlux", MB_OK);
}

void Win32Messages::MessageDlg(const std::string& text, MessageType kind) {
  const std::wstring wide = WideFromUtf8(text);
  const UINT icon = kind == MessageType::mtWarning ? MB_ICONWARNING : MB_ICONERROR;
  const wchar_t* caption = kind == MessageType::mtWarning ? L"Warning" : L"Error";
  // Owned by the main window (or the dialog in front of it), so it stays above either.
  HWND owner = owner_ != nullptr ? ::GetLastActivePopup(owner_) : nullptr;
  if (owner != nullptr && !::IsWindowEnabled(owner)) owner = owner_;
  ::MessageBoxW(owner, wide.c_str(), caption, MB_OK | icon);
}
