#pragma once

// The desk a test asked the harness for (scripts/with-display.sh, WINE_MONITORS and WINE_DPI),
// and whether Windows reports it, so that a fault of the harness never reads as one of the program.
// The harness is deterministic by order: Wine reads the monitors and the DPI when its first
// process starts, and a layout changed while it ran reached some windows and not others, so
// scripts/desk.sh ends every Windows process of the prefix, lays the monitors out, waits until
// X reports them and stores the DPI before the test starts; a test changes the layout only
// through Windows (DetachMonitor).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

struct DeskMonitor {
  RECT bounds{};
  bool primary = false;
};

// The monitors of WINE_MONITORS in Windows' coordinates (the primary's top-left at (0, 0)),
// or none when the test runs on the usual single screen.
std::vector<DeskMonitor> IntendedMonitors();
// The monitors as EnumDisplayMonitors reports them.
std::vector<DeskMonitor> ReportedMonitors();
// The DPI the harness was asked for (WINE_DPI), 96 unless set.
UINT IntendedDpi();

// Success when Windows reports exactly these monitors, in any order.
::testing::AssertionResult ReportsMonitors(const std::vector<DeskMonitor>& wanted);
// Success when Windows reports the intended monitors and the intended system DPI.
::testing::AssertionResult IsTheIntendedDesk();

bool OnSomeMonitor(const std::vector<DeskMonitor>& monitors, POINT p);
const DeskMonitor* PrimaryOf(const std::vector<DeskMonitor>& monitors);
// The monitor that holds the whole of `r`, or null.
const DeskMonitor* MonitorHolding(const std::vector<DeskMonitor>& monitors, const RECT& r);

std::string Describe(const std::vector<DeskMonitor>& monitors);

// Detaches the display at `bounds` as the system's display settings do (ChangeDisplaySettingsEx,
// which under Wine switches its X output off), and waits until Windows reports `wanted`.
// Wine 8 sends no WM_DISPLAYCHANGE when X's outputs change behind its back (xrandr), so a
// test changes them the Windows way.
::testing::AssertionResult DetachMonitor(const RECT& bounds, const std::vector<DeskMonitor>& wanted);
