#include <cstring>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32Platform.h"

namespace {

struct GlobalFreeClose {
  void operator()(HGLOBAL memory) const { ::GlobalFree(memory); }
};
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalFreeClose>;

}  // namespace

bool Win32Platform::SetClipboardText(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  void* target = ::GlobalLock(memory.Get());
  if (target == nullptr) return false;
  std::memcpy(target, wide.c_str(), bytes);
  ::GlobalUnlock(memory.Get());
  ClipboardScope clipboard(clipboardOwner_);
  if (!clipboard.Opened() || !::EmptyClipboard()) return false;
  if (::SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}

void Win32Platform::ShowMessage(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  ::MessageBoxW(clipboardOwner_, wide.c_str(), L"Glimmerlux", MB_OK);
}
