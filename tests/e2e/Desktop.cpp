#include "Desktop.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void SendKey(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  SendInput(1, &input, sizeof(INPUT));
}

}  // namespace

std::wstring BesideThisProgram(const std::wstring& file) {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + file;
}

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& arguments,
                           std::optional<WORD> showCommand) {
  const std::wstring path = BesideThisProgram(program);
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (showCommand) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *showCommand;
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_.Reset(info.hProcess);
  id_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (!process_) return;
  TerminateProcess(process_.Get(), 1);
  WaitForSingleObject(process_.Get(), 10000);
}

bool ChildProcess::WaitUntilIdle(std::chrono::milliseconds timeout) const {
  return process_ && WaitForInputIdle(process_.Get(), static_cast<DWORD>(timeout.count())) == 0;
}

std::optional<DWORD> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) const {
  if (!process_ || WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process_.Get(), &code)) return std::nullopt;
  return code;
}

HWND FindProcessWindow(DWORD processId, const wchar_t* caption) {
  struct Search {
    DWORD processId;
    const wchar_t* caption;
    HWND found;
  } search{processId, caption, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s.processId || !IsWindowVisible(window) || TextOf(window) != s.caption) {
          return TRUE;
        }
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindProcessWindowOfClass(DWORD processId, const wchar_t* className, Shown shown) {
  struct Search {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
  } search{processId, className, shown == Shown::Only, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s.processId || (s.visibleOnly && !IsWindowVisible(window)) || ClassOf(window) != s.className) {
          return TRUE;
        }
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindMagnifierWindow(DWORD processId) { return FindProcessWindowOfClass(processId, L"Tfrmmain"); }

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::optional<std::wstring> ClipboardText() {
  ClipboardScope clipboard(nullptr);
  if (!clipboard.Opened()) return std::nullopt;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return std::nullopt;
  const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (text == nullptr) return std::nullopt;
  std::wstring copy(text);
  GlobalUnlock(data);
  return copy;
}

RECT VirtualScreen() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

RECT ScreenRectOfClient(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

bool Intersect(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

bool MoveWindowTo(HWND window, POINT topLeft) {
  SetWindowPos(window, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return WaitUntil(kSettle, [&] {
    RECT now{};
    GetWindowRect(window, &now);
    return now.left == topLeft.x && now.top == topLeft.y;
  });
}

bool MovePointerTo(POINT point) {
  return WaitUntil(kSettle, [&] {
    POINT now{};
    if (GetCursorPos(&now) && now.x == point.x && now.y == point.y) return true;
    SetCursorPos(point.x, point.y);
    return false;
  });
}

bool MakeForeground(HWND window) {
  return WaitUntil(kSettle, [&] {
    if (GetForegroundWindow() == window) return true;
    SetForegroundWindow(window);
    return false;
  });
}

void HideWineSystemTray() {
  HWND tray = FindWindowW(nullptr, L"Wine System Tray");
  if (tray != nullptr) ShowWindow(tray, SW_HIDE);
}

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD key : keys) add(key, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) add(*key, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HeldKey::HeldKey(WORD key) : key_(key) { SendKey(key_, 0); }

HeldKey::~HeldKey() { SendKey(key_, KEYEVENTF_KEYUP); }

void SendMouse(DWORD flags, DWORD data) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  SendInput(1, &input, sizeof(INPUT));
}

void ForgetSettings(const wchar_t* keyPath) { RegDeleteTreeW(HKEY_CURRENT_USER, keyPath); }

void StoreSetting(const wchar_t* keyPath, const wchar_t* name, const wchar_t* text) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  const std::wstring value = text;
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

std::string Describe(const RECT& rect) {
  char text[64];
  std::snprintf(text, sizeof(text), "(%ld, %ld)-(%ld, %ld)", rect.left, rect.top, rect.right, rect.bottom);
  return text;
}

std::string Describe(POINT point) {
  char text[32];
  std::snprintf(text, sizeof(text), "(%ld, %ld)", point.x, point.y);
  return text;
}

HWND StartMagnifier(ChildProcess& process, const std::wstring& arguments, std::string& why) {
  process = ChildProcess(L"glimmerlux.exe", arguments);
  if (!process.Started()) {
    why = "glimmerlux.exe did not start";
    return nullptr;
  }
  if (!process.WaitUntilIdle(kStartTimeout)) {
    why = "glimmerlux.exe never finished starting";
    return nullptr;
  }
  HWND window = nullptr;
  if (!WaitUntil(kStartTimeout, [&] { return (window = FindMagnifierWindow(process.Id())) != nullptr; })) {
    why = "no visible main window";
  }
  return window;
}
