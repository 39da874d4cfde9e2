#pragma once

#include <windows.h>

#include <exception>

// The variable naming a file that takes each error report as a line instead of a message box,
// so that a test run is never held by one.
inline constexpr const wchar_t* kErrorLogVariable = L"GLIMMERLUX_ERROR_LOG";

// Tells the user that handling a window message failed, with the error's text: in a box, one at
// a time (what fails while it is open only goes to the debugger), never while the session ends.
void ReportHandlerError(UINT message, const std::exception_ptr& error) noexcept;

// What a message whose handler failed answers. A close request is answered as handled, since
// the default would destroy the window and pass over what the program does before it ends;
// a failed creation fails the window; everything else gets the default handling.
LRESULT AnswerAfterError(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
