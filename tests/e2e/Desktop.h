#pragma once

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <thread>

#include "platform/win32/Handles.h"

struct CloseHandleRelease {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using KernelHandle = UniqueHandle<HANDLE, CloseHandleRelease>;

// The full path of a file beside the test driver, where the build puts every program.
std::wstring BesideThisProgram(const std::wstring& file);

// A program started for one test; it is killed when the test is over, passed or not.
class ChildProcess {
 public:
  ChildProcess() = default;
  // `program` is a file name beside the test driver.
  // With `showCommand`, the program is asked to show its first window so (STARTF_USESHOWWINDOW).
  ChildProcess(const std::wstring& program, const std::wstring& arguments, std::optional<WORD> showCommand = {});
  ~ChildProcess();
  ChildProcess(ChildProcess&&) = default;
  ChildProcess& operator=(ChildProcess&&) = default;

  bool Started() const { return static_cast<bool>(process_); }
  // True once the program waits for input with nothing left to do, i.e. its start-up is over.
  bool WaitUntilIdle(std::chrono::milliseconds timeout) const;
  DWORD Id() const { return id_; }
  // The program's exit code once it has ended, waiting for that at most `timeout`.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout) const;

 private:
  KernelHandle process_;
  DWORD id_ = 0;
};

// Polls until `done` holds or the time is up; returns the last answer.
template <typename Condition>
bool WaitUntil(std::chrono::milliseconds timeout, Condition done) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
  }
  return true;
}

// The program's own key under HKEY_CURRENT_USER.
inline constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwell\\Glimmerlux";
// How long a program may take to start and show its window.
inline constexpr std::chrono::seconds kStartTimeout{30};
// How long the program may take to show what it was just asked to.
inline constexpr std::chrono::seconds kSettle{5};

// Starts glimmerlux.exe beside the driver and waits for its window; null, with the reason in
// `why`, when it never came.
HWND StartMagnifier(ChildProcess& process, const std::wstring& arguments, std::string& why);

// The visible top-level window of `processId` with exactly this caption, or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* caption);
enum class Shown { Only, OrNot };
// The top-level window of `processId` with this window class, or null.
HWND FindProcessWindowOfClass(DWORD processId, const wchar_t* className, Shown shown = Shown::Only);
// The magnifier's visible main window, whatever version its caption carries, or null.
HWND FindMagnifierWindow(DWORD processId);

// A window's text (a caption, or what a control shows) and its window class.
std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
// The program's texts are ASCII: between them and Windows' wide strings.
inline std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }
inline std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The clipboard's Unicode text, or none when it is busy or holds no text.
std::optional<std::wstring> ClipboardText();

RECT VirtualScreen();
RECT ScreenRectOfClient(HWND window);
bool Intersect(const RECT& a, const RECT& b);

// Moves the window's top-left corner there and waits until the window reports it.
bool MoveWindowTo(HWND window, POINT topLeft);
// Puts the pointer there and waits until the system reports it.
bool MovePointerTo(POINT point);
bool MakeForeground(HWND window);
// Wine without a desktop tray shows the notification area as a window of its own in the
// top-left corner, over whatever the tests show there; this hides it while it has no use.
void HideWineSystemTray();
// Presses and releases a key chord, modifiers first, as a person would.
void PressKeys(std::initializer_list<WORD> keys);

// A key held down from construction to destruction, so a failing test never leaves it down.
class HeldKey {
 public:
  explicit HeldKey(WORD key);
  ~HeldKey();
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  WORD key_;
};

// One mouse event through the system's input queue, at the pointer's place.
void SendMouse(DWORD flags, DWORD data = 0);

// Removes the program's stored settings, so every test starts as a first run.
void ForgetSettings(const wchar_t* keyPath);
void StoreSetting(const wchar_t* keyPath, const wchar_t* name, const wchar_t* text);

std::string Describe(const RECT& rect);
std::string Describe(POINT point);
