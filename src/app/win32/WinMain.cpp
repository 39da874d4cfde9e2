#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ProgramStart.h"
#include "main/fmMagnifier.h"
#include "main/win32/MainWindow.h"
#include "main/win32/WheelHook.h"
#include "platform/win32/DibSurface.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32Services.h"

namespace {

// The wheel reaches the form through WheelHook, from this loop and every modal one.
int RunMessageLoop(MainWindow& window) {
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.PreviewKey(message)) continue;
    if (window.TranslateShortcut(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}

// Argument 0 is the running program's full path, whatever the command line calls it.
std::vector<std::string> ProgramArguments() {
  std::vector<std::string> arguments = SplitArguments(Utf8FromWide(::GetCommandLineW()));
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(length);
  if (arguments.empty())
    arguments.push_back(Utf8FromWide(path));
  else
    arguments.front() = Utf8FromWide(path);
  return arguments;
}

int Run(HINSTANCE instance, int showCommand, const StartupSwitches& switches) {
  Win32Services platform;
  DibSurfaceFactory surfaces;
  Tfrmmain frm(platform, surfaces);
  MainWindow window(frm, platform);
  // Held for the life of the process; nothing in the program waits for it.
  const KernelObject mutex(::CreateMutexW(nullptr, FALSE, L"Glimmerlux"));
  // Creation registers the hot key; the first show restores and applies the settings, so the
  // switches act on a window that is set up as stored.
  const WheelHook wheel(frm);
  if (!window.Create(instance)) return 1;
  window.Show(showCommand);
  ApplyStartupSwitches(frm, switches);
  return RunMessageLoop(window);
}

void ReportError(const char* what) {
  const std::string text(what);
  const std::wstring message(text.begin(), text.end());  // exception texts are ASCII
  ::MessageBoxW(nullptr, message.c_str(), L"Glimmerlux", MB_OK | MB_ICONERROR);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const CommandLineScan scan = ScanCommandLine(ProgramArguments());
  if (scan.invalidInteger) {
    const std::wstring message = WideFromUtf8(InvalidIntegerMessage(*scan.invalidInteger));
    ::MessageBoxW(nullptr, message.c_str(), L"Application Error", MB_OK | MB_ICONERROR);
    return 1;
  }
  // The manifest declares the awareness; this only helps when it was not applied.
  dpi::EnsurePerMonitorAwareness();
  // Single-threaded apartment: the caret search talks to UI Automation from this thread.
  // The automation object it keeps belongs to this apartment and is released with Run's
  // Win32Services, on return or while an exception unwinds, so always before `com` goes
  // and uninitialises COM; never hold it in anything that outlives this scope (a static
  // or thread_local one would be released after CoUninitialize).
  ComApartment com(COINIT_APARTMENTTHREADED);
  try {
    return Run(instance, showCommand, scan.switches);
  } catch (const std::exception& error) {
    ReportError(error.what());
  } catch (...) {
    ReportError("Unexpected error");
  }
  return 1;
}
