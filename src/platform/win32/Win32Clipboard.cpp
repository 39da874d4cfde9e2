#include "platform/win32/Win32Clipboard.h"

#include <cstring>

#include "platform/win32/DibSurface.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace {

// A tenth of a second in all: long enough for a clipboard manager, short enough that the
// picture hardly stops.
constexpr DWORD kOpenPatienceMs = 100;
constexpr DWORD kOpenPauseMs = 20;

}  // namespace

bool Win32Clipboard::SetBitmap(const Bitmap& picture) {
  if (picture.Empty()) return false;
  GdiBitmap copy;
  {
    WindowDc screen(nullptr);
    if (!screen) return false;
    copy.Reset(::CreateCompatibleBitmap(screen.Get(), picture.Width(), picture.Height()));
    if (!copy) return false;
    const BITMAPINFO info = TopDownDibInfo(picture.Width(), picture.Height());
    const int rows = ::SetDIBits(screen.Get(), copy.Get(), 0, static_cast<UINT>(picture.Height()), picture.Pixels(),
                                 &info, DIB_RGB_COLORS);
    if (rows != picture.Height()) return false;
  }
  ClipboardScope clipboard(owner_, kOpenPatienceMs, kOpenPauseMs);
  if (!clipboard.Opened() || !::EmptyClipboard()) return false;
  if (::SetClipboardData(CF_BITMAP, copy.Get()) == nullptr) return false;
  copy.Release();  // the clipboard owns it now
  return true;
}

bool Win32Clipboard::SetText(const std::string& text) {
  const std::wstring wide = WideFromUtf8(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  void* target = ::GlobalLock(memory.Get());
  if (target == nullptr) return false;
  std::memcpy(target, wide.c_str(), bytes);
  ::GlobalUnlock(memory.Get());
  ClipboardScope clipboard(owner_, kOpenPatienceMs, kOpenPauseMs);
  if (!clipboard.Opened() || !::EmptyClipboard()) return false;
  if (::SetClipboardData(CF_UNICODETEXT, memory.Get()) == nullptr) return false;
  memory.Release();  // the clipboard owns it now
  return true;
}
