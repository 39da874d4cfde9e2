#pragma once

// The real glimmerlux.exe over the test pattern on a desk of several monitors (WINE_MONITORS):
// each test starts only once Windows reports the intended monitors and the pattern covers
// every one of them.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Desk.h"
#include "MagnifierOnPattern.h"

class MagnifierOnDesk : public MagnifierOnPattern {
 protected:
  void SetUp() override;

  // The desktop as Windows shows it: the pattern where a monitor is, black elsewhere.
  uint32_t DeskColor(int x, int y) const;
  // Points there and waits for the view to show the desk around it doubled.
  void ExpectDeskPictureAround(const std::string& where, POINT pointer);

  const DeskMonitor& Primary() const { return *PrimaryOf(monitors_); }
  // The first monitor that is not the primary.
  const DeskMonitor& Secondary() const;

  std::vector<DeskMonitor> monitors_;
};
