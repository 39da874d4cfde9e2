#include <windows.h>

#include <exception>
#include <string>

#include "main/fmMagnifier.h"
#include "main/win32/AppMessages.h"
#include "main/win32/MainWindow.h"
#include "platform/win32/DibSurface.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Services.h"

namespace {

int RunMessageLoop(Tfrmmain& frm, MainWindow& window) {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (const auto wheel = DecodeWheel(message); wheel && frm.ApplicationEvents1Message(*wheel)) continue;
    if (window.PreviewKey(message)) continue;
    if (window.TranslateShortcut(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

int Run(HINSTANCE instance, int showCommand) {
  Win32Services platform;
  DibSurfaceFactory surfaces;
  Tfrmmain frm(platform, surfaces);
  MainWindow window(frm, platform);
  if (!window.Create(instance)) return 1;
  window.Show(showCommand);
  return RunMessageLoop(frm, window);
}

void ReportError(const char* what) {
  const std::string text(what);
  const std::wstring message(text.begin(), text.end());  // exception texts are ASCII
  ::MessageBoxW(nullptr, message.c_str(), L"Glimmerlux", MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The manifest declares the awareness; this only helps when it was not applied.
  dpi::EnsurePerMonitorAwareness();
  // Single-threaded apartment: the caret search talks to UI Automation from this thread.
  // The automation object it keeps belongs to this apartment and is released with Run's
  // Win32Services, on return or while an exception unwinds, so always before `com` goes
  // and uninitialises COM; never hold it in anything that outlives this scope (a static
  // or thread_local one would be released after CoUninitialize).
  ComApartment com(COINIT_APARTMENTTHREADED);
  try {
    return Run(instance, showCommand);
  } catch (const std::exception& error) {
    ReportError(error.what());
  } catch (...) {
    ReportError("Unexpected error");
  }
  return 1;
}
