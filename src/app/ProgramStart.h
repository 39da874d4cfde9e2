#pragma once

#include <cstdint>

#include "app/CommandLine.h"
#include "main/fmMagnifier.h"

// The window alpha a "/transparent:" value gives: only its low 8 bits count, but a value
// whose low byte is 0 would make the window invisible, so it gives 255.
int32_t TransparencyFromSwitch(int32_t value);

// What the switches do once the window has been shown for the first time (its settings are
// in place by then): translucency, no tray, allow close, start hidden in the tray, in that order.
void ApplyStartupSwitches(Tfrmmain& frm, StartupSwitches switches);
