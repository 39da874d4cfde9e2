#pragma once

// Whether a window's controls are laid out as a person can read them, at any DPI.
#include <windows.h>

#include <string>

// Empty when every visible child of `window` lies inside its client area, no two overlap, no
// static text needs more room than its control has (text_fit_hook.dll measures it in the
// program, in the control's font), and the window lies on its monitor, once the
// window has had a moment to paint; else a short account for a person.
std::string LayoutProblems(HWND window);

// A screenshot of the whole desktop for a person looking into a failure; returns where it went.
std::string SaveDesktopForPerson(const std::string& name);
