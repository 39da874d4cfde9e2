#pragma once

#include <windows.h>

#include <exception>

#include "platform/win32/HandlerErrors.h"

// Binds a window to its C++ object: the object arrives as the creation parameter on
// WM_NCCREATE, stays in GWLP_USERDATA until WM_NCDESTROY, and receives every message
// in between through Derived::MessageHandler.
template <typename Derived>
class BaseWindow {
 public:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  HWND Handle() const { return window_; }

 protected:
  ~BaseWindow() {
    // Only reached while the window is alive if creation of the rest failed; by now the
    // derived part is gone, so the window must not call back into it.
    if (window_ != nullptr) {
      ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      ::DestroyWindow(window_);
    }
  }

  static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      self->window_ = window;
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
      result = self->MessageHandler(message, wParam, lParam);
    } catch (...) {
      // No exception may unwind through the system's code. The message gets an answer that loses
      // nothing first (a paint left pending would fail again inside the report's own loop),
      // then the user is told.
      const std::exception_ptr error = std::current_exception();
      result = AnswerAfterError(window, message, wParam, lParam);
      ReportHandlerError(message, error);
    }
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      self->window_ = nullptr;
    }
    return result;
  }

  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window_, message, wParam, lParam);
  }

 private:
  HWND window_ = nullptr;
};
