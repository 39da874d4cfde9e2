#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>
#include <wininet.h>
#include <wrl/client.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

// Move-only owner of one handle whose release needs nothing but the handle itself.
template <typename HandleType, typename Closer>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HandleType handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  HandleType Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives up ownership, e.g. after the clipboard took the object.
  HandleType Release() { return std::exchange(handle_, nullptr); }
  void Reset(HandleType handle = nullptr) {
    if (handle_ != nullptr) Closer{}(handle_);
    handle_ = handle;
  }

 private:
  HandleType handle_ = nullptr;
};

struct DeleteDcClose {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct DeleteObjectClose {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct DestroyAcceleratorClose {
  void operator()(HACCEL table) const { ::DestroyAcceleratorTable(table); }
};
struct RegCloseKeyClose {
  void operator()(HKEY key) const { ::RegCloseKey(key); }
};
struct FreeLibraryClose {
  void operator()(HMODULE module) const { ::FreeLibrary(module); }
};
struct DestroyMenuClose {
  void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
struct CloseHandleClose {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
struct InternetCloseHandleClose {
  void operator()(HINTERNET handle) const { ::InternetCloseHandle(handle); }
};
struct UnhookWindowsHookClose {
  void operator()(HHOOK hook) const { ::UnhookWindowsHookEx(hook); }
};
struct GlobalFreeClose {
  void operator()(HGLOBAL memory) const { ::GlobalFree(memory); }
};

// From CreateCompatibleDC.
using MemoryDc = UniqueHandle<HDC, DeleteDcClose>;
// From CreateDCW.
using DeviceDc = UniqueHandle<HDC, DeleteDcClose>;
// Delete only once no DC has it selected (see SelectionGuard).
using GdiBitmap = UniqueHandle<HBITMAP, DeleteObjectClose>;
using PenHandle = UniqueHandle<HPEN, DeleteObjectClose>;
// Delete only once no control uses it: hand the controls the new font first.
using FontHandle = UniqueHandle<HFONT, DeleteObjectClose>;
using BrushHandle = UniqueHandle<HBRUSH, DeleteObjectClose>;
using AcceleratorTable = UniqueHandle<HACCEL, DestroyAcceleratorClose>;
using LoadedModule = UniqueHandle<HMODULE, FreeLibraryClose>;
// Destroying a menu also destroys the submenus attached to it.
using MenuHandle = UniqueHandle<HMENU, DestroyMenuClose>;
// From RegOpenKeyExW or RegCreateKeyExW.
using RegistryKey = UniqueHandle<HKEY, RegCloseKeyClose>;
// From GlobalAlloc; Release() once SetClipboardData has taken it.
using GlobalMemory = UniqueHandle<HGLOBAL, GlobalFreeClose>;
// From InternetOpenW, InternetConnectW or HttpOpenRequestW; close a request before its session.
using InternetHandle = UniqueHandle<HINTERNET, InternetCloseHandleClose>;
// From SetWindowsHookExW.
using WindowsHook = UniqueHandle<HHOOK, UnhookWindowsHookClose>;
// A kernel object whose creation reports failure as null, as CreateMutexW does.
using KernelObject = UniqueHandle<HANDLE, CloseHandleClose>;
// Holds one COM reference; `&pointer` releases what it held and takes an out-parameter.
template <typename Interface>
using ComPtr = Microsoft::WRL::ComPtr<Interface>;

// The WinInet handles of one download, each closed once: by its owner when done with it, or all
// at once from another thread by Abort. Closing a handle is how WinInet ends a synchronous call
// blocked on it; Wine 8 may keep such a call waiting (a TLS handshake that never ends), so every
// later call is refused instead, and the handles are never closed twice, lest a value WinInet
// has handed out anew be closed under another download.
class InternetHandleGroup {
 public:
  InternetHandleGroup() = default;
  ~InternetHandleGroup() { Abort(); }
  InternetHandleGroup(const InternetHandleGroup&) = delete;
  InternetHandleGroup& operator=(const InternetHandleGroup&) = delete;

  // Takes the handle; once the group is aborted it is closed at once and false comes back.
  bool Adopt(HINTERNET handle) {
    const std::lock_guard lock(mutex_);
    if (aborted_) {
      ::InternetCloseHandle(handle);
      return false;
    }
    open_.push_back(handle);
    return true;
  }
  // The handle while the group stands, else null.
  HINTERNET Live(HINTERNET handle) const {
    const std::lock_guard lock(mutex_);
    return aborted_ ? nullptr : handle;
  }
  void Close(HINTERNET handle) {
    const std::lock_guard lock(mutex_);
    const auto held = std::find(open_.begin(), open_.end(), handle);
    if (held == open_.end()) return;
    open_.erase(held);
    ::InternetCloseHandle(handle);
  }
  // Closes every handle still open, the newest (a request) before the ones it came from.
  void Abort() {
    const std::lock_guard lock(mutex_);
    aborted_ = true;
    for (auto handle = open_.rbegin(); handle != open_.rend(); ++handle) ::InternetCloseHandle(*handle);
    open_.clear();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<HINTERNET> open_;
  bool aborted_ = false;
};

// One handle of an InternetHandleGroup, given back to the group as it goes.
class GroupedInternetHandle {
 public:
  GroupedInternetHandle(std::shared_ptr<InternetHandleGroup> group, HINTERNET handle) : group_(std::move(group)) {
    if (handle != nullptr && group_->Adopt(handle)) handle_ = handle;
  }
  ~GroupedInternetHandle() {
    if (handle_ != nullptr) group_->Close(handle_);
  }
  GroupedInternetHandle(const GroupedInternetHandle&) = delete;
  GroupedInternetHandle& operator=(const GroupedInternetHandle&) = delete;

  // Null once the group is aborted.
  HINTERNET Get() const { return handle_ != nullptr ? group_->Live(handle_) : nullptr; }
  explicit operator bool() const { return Get() != nullptr; }

 private:
  std::shared_ptr<InternetHandleGroup> group_;
  HINTERNET handle_ = nullptr;
};

// GetIconInfo's answer: the hot spot, and the bitmaps (mask, and colour for a colour image)
// it makes anew on every call, deleted here.
class IconInfo {
 public:
  explicit IconInfo(HICON icon) : read_(::GetIconInfo(icon, &info_) != FALSE) {
    if (!read_) info_ = ICONINFO{};
    color_.Reset(info_.hbmColor);
    mask_.Reset(info_.hbmMask);
  }
  IconInfo(const IconInfo&) = delete;
  IconInfo& operator=(const IconInfo&) = delete;

  explicit operator bool() const { return read_; }
  POINT HotSpot() const { return POINT{static_cast<LONG>(info_.xHotspot), static_cast<LONG>(info_.yHotspot)}; }

 private:
  ICONINFO info_{};
  bool read_;
  GdiBitmap color_;
  GdiBitmap mask_;
};

// A DC from GetDC, given back with ReleaseDC on the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc(WindowDc&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&&) = delete;

  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back, so the object can be
// deleted afterwards; declare it after the object it selects.
class SelectionGuard {
 public:
  SelectionGuard() = default;
  SelectionGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {
    if (previous_ == nullptr || previous_ == HGDI_ERROR) {
      dc_ = nullptr;
      previous_ = nullptr;
    }
  }
  ~SelectionGuard() { Restore(); }
  SelectionGuard(const SelectionGuard&) = delete;
  SelectionGuard& operator=(const SelectionGuard&) = delete;
  SelectionGuard(SelectionGuard&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
  SelectionGuard& operator=(SelectionGuard&& other) noexcept {
    if (this != &other) {
      Restore();
      dc_ = std::exchange(other.dc_, nullptr);
      previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
  }

  explicit operator bool() const { return dc_ != nullptr; }

 private:
  void Restore() {
    if (dc_ != nullptr) ::SelectObject(dc_, previous_);
    dc_ = nullptr;
    previous_ = nullptr;
  }

  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// BeginPaint/EndPaint; EndPaint also runs when the paint handler throws.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { ::BeginPaint(window_, &paint_); }
  ~PaintScope() { ::EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC Dc() const { return paint_.hdc; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
};

// An open clipboard; check Opened() before touching its contents. Another program may hold it
// for a moment (clipboard managers do after every change), so opening is tried again every
// `pauseMs` for `patienceMs` in all. Time, not a count of tries, bounds the wait, however long
// a single try takes.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner, DWORD patienceMs = 0, DWORD pauseMs = 20) : opened_(false) {
    const ULONGLONG start = ::GetTickCount64();
    opened_ = ::OpenClipboard(owner) != FALSE;
    while (!opened_ && ::GetTickCount64() - start + pauseMs <= patienceMs) {
      ::Sleep(pauseMs);
      opened_ = ::OpenClipboard(owner) != FALSE;
    }
  }
  ~ClipboardScope() {
    if (opened_) ::CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;

  bool Opened() const { return opened_; }

 private:
  bool opened_;
};

// A SAFEARRAY handed out by a COM call.
class SafeArray {
 public:
  SafeArray() = default;
  ~SafeArray() {
    if (array_ != nullptr) ::SafeArrayDestroy(array_);
  }
  SafeArray(const SafeArray&) = delete;
  SafeArray& operator=(const SafeArray&) = delete;

  SAFEARRAY* Get() const { return array_; }
  // For out-parameters: whatever was held is destroyed first.
  SAFEARRAY** Put() {
    if (array_ != nullptr) ::SafeArrayDestroy(std::exchange(array_, nullptr));
    return &array_;
  }

 private:
  SAFEARRAY* array_ = nullptr;
};

// SafeArrayAccessData until the scope ends; declare it after the SafeArray it reads.
class SafeArrayData {
 public:
  explicit SafeArrayData(SAFEARRAY* array) : array_(array) {
    if (FAILED(::SafeArrayAccessData(array_, &data_))) data_ = nullptr;
  }
  ~SafeArrayData() {
    if (data_ != nullptr) ::SafeArrayUnaccessData(array_);
  }
  SafeArrayData(const SafeArrayData&) = delete;
  SafeArrayData& operator=(const SafeArrayData&) = delete;

  const double* Doubles() const { return static_cast<const double*>(data_); }

 private:
  SAFEARRAY* array_;
  void* data_ = nullptr;
};

// COM on this thread; uninitialised only if this object's initialisation succeeded.
class ComApartment {
 public:
  explicit ComApartment(DWORD model) : result_(::CoInitializeEx(nullptr, model)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool Succeeded() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};
