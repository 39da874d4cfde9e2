#pragma once

#include <windows.h>

#include <optional>

#include "main/ZoomSelection.h"

// The vertical wheel of any window of the program, which the form sees before the window does.
inline std::optional<MouseWheel> DecodeWheel(const MSG& message) {
  if (message.message != WM_MOUSEWHEEL) return std::nullopt;
  return MouseWheel{GET_WHEEL_DELTA_WPARAM(message.wParam)};
}
