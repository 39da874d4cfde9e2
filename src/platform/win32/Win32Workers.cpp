#include "platform/win32/Win32Workers.h"

#include <thread>
#include <utility>

#include "platform/win32/WindowIds.h"

void Win32Workers::Start(std::function<void()> work) {
  std::thread([work = std::move(work)] {
    // An exception must not end the process from a thread nobody watches.
    try {
      work();
    } catch (...) {
    }
  }).detach();
}

// Posting needs nothing but the handle's value: a window that has gone simply gets nothing.
std::function<void()> Win32Workers::Waker(WindowId window) {
  return [hwnd = ToHwnd(window)] { ::PostMessageW(hwnd, kWorkDoneMessage, 0, 0); };
}
