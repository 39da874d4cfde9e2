#include "main/win32/WheelHook.h"

#include "main/win32/AppMessages.h"

namespace {

thread_local Tfrmmain* hookedForm = nullptr;

}  // namespace

WheelHook::WheelHook(Tfrmmain& frm) {
  hookedForm = &frm;
  hook_.Reset(::SetWindowsHookExW(WH_GETMESSAGE, GetMessageProc, nullptr, ::GetCurrentThreadId()));
}

WheelHook::~WheelHook() {
  hook_.Reset();
  hookedForm = nullptr;
}

LRESULT CALLBACK WheelHook::GetMessageProc(int code, WPARAM removal, LPARAM message) noexcept {
  if (code == HC_ACTION && removal == PM_REMOVE && hookedForm != nullptr) {
    MSG& msg = *reinterpret_cast<MSG*>(message);
    try {
      // A wheel the form used up reaches no window.
      if (const auto wheel = DecodeWheel(msg); wheel && hookedForm->ApplicationEvents1Message(*wheel)) {
        msg.message = WM_NULL;
      }
    } catch (...) {
      // No exception may unwind through the system's code; the wheel goes on to its window.
    }
  }
  return ::CallNextHookEx(nullptr, code, removal, message);
}
