#include "platform/win32/HandlerErrors.h"

#include <cstdio>
#include <string>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace {

std::string WhatOf(const std::exception_ptr& error) {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
  }
  return "unknown error";
}

bool AppendToLog(const std::wstring& path, const std::string& line) {
  HANDLE opened = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  const KernelObject file(opened);
  DWORD written = 0;
  return ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
         written == line.size();
}

// A box opened while the program is ending would close at once on the pending quit message;
// the message is held back while the box is open and posted again after it.
void ShowErrorBox(const std::wstring& text) {
  MSG quit;
  const bool quitting = ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  ::MessageBoxW(nullptr, text.c_str(), L"Glimmerlux", MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
  if (quitting) ::PostQuitMessage(static_cast<int>(quit.wParam));
}

}  // namespace

void ReportHandlerError(UINT message, const std::exception_ptr& error) noexcept {
  try {
    char number[16];
    std::snprintf(number, sizeof(number), "0x%04X", message);
    const std::string what = WhatOf(error);
    const std::string line = std::string("Glimmerlux: error while handling window message ") + number + ": " + what;
    ::OutputDebugStringW(WideFromUtf8(line + "\n").c_str());
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(kErrorLogVariable, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH && AppendToLog(path, line + "\r\n")) return;
    // A box would hold up the log-off; a second box would come from the first one's own loop.
    static bool boxOpen = false;
    if (boxOpen || message == WM_QUERYENDSESSION || message == WM_ENDSESSION) return;
    boxOpen = true;
    ShowErrorBox(WideFromUtf8("Glimmerlux met an error and could not finish what it was doing:\n\n" + what +
                              "\n\nIt goes on running; your settings are kept."));
    boxOpen = false;
  } catch (...) {
    // Out of memory even for the report: nothing more can be said.
  }
}

LRESULT AnswerAfterError(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_CLOSE:
      return 0;
    case WM_CREATE:
      return -1;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}
