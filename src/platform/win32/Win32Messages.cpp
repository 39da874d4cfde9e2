#include "platform/win32/Win32Messages.h"

#include "platform/win32/Utf.h"

void Win32Messages::ShowMessage(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  ::MessageBoxW(owner_, wide.c_str(), L"Glimmerlux", MB_OK);
}
