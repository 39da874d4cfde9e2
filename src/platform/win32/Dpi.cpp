#include "platform/win32/Dpi.h"

#include "platform/win32/Handles.h"

namespace dpi {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <typename Fn>
Fn Lookup(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  // Through the generic function type so -Wcast-function-type accepts the cast.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

struct User32Dpi {
  GetDpiForWindowFn getDpiForWindow;
  GetSystemMetricsForDpiFn getSystemMetricsForDpi;
  AdjustWindowRectExForDpiFn adjustWindowRectExForDpi;
  SetProcessDpiAwarenessContextFn setProcessDpiAwarenessContext;
};

const User32Dpi& User32() {
  static const User32Dpi functions = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return User32Dpi{Lookup<GetDpiForWindowFn>(user32, "GetDpiForWindow"),
                     Lookup<GetSystemMetricsForDpiFn>(user32, "GetSystemMetricsForDpi"),
                     Lookup<AdjustWindowRectExForDpiFn>(user32, "AdjustWindowRectExForDpi"),
                     Lookup<SetProcessDpiAwarenessContextFn>(user32, "SetProcessDpiAwarenessContext")};
  }();
  return functions;
}

UINT SystemDpi() {
  WindowDc screen(nullptr);
  if (!screen) return kDesignDpi;
  const int value = ::GetDeviceCaps(screen.Get(), LOGPIXELSX);
  return value > 0 ? static_cast<UINT>(value) : kDesignDpi;
}

}  // namespace

UINT ForWindow(HWND window) {
  const auto fn = User32().getDpiForWindow;
  return (fn != nullptr && window != nullptr) ? fn(window) : 0;
}

UINT ForMonitor(HMONITOR monitor) {
  // shcore.dll arrived with Windows 8.1.
  LoadedModule shcore(::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  const auto fn = Lookup<GetDpiForMonitorFn>(shcore.Get(), "GetDpiForMonitor");
  UINT x = 0;
  UINT y = 0;
  constexpr int kEffectiveDpi = 0;
  if (fn != nullptr && monitor != nullptr && SUCCEEDED(fn(monitor, kEffectiveDpi, &x, &y)) && x > 0) return x;
  return SystemDpi();
}

int SystemMetric(int index, UINT dpi) {
  const auto fn = User32().getSystemMetricsForDpi;
  return (fn != nullptr && dpi != 0) ? fn(index, dpi) : ::GetSystemMetrics(index);
}

bool AdjustWindowRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
  const auto fn = User32().adjustWindowRectExForDpi;
  if (fn != nullptr && dpi != 0) return fn(&rect, style, FALSE, exStyle, dpi) != FALSE;
  return ::AdjustWindowRectEx(&rect, style, FALSE, exStyle) != FALSE;
}

void EnsurePerMonitorAwareness() {
  const auto fn = User32().setProcessDpiAwarenessContext;
  // Fails harmlessly when the manifest already set the awareness.
  if (fn != nullptr) fn(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

}  // namespace dpi
