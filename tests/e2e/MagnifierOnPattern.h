#pragma once

// The real glimmerlux.exe, started as on a first run, over a desktop that the test pattern
// covers: the fixture every picture test starts from.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <string>

#include "Desktop.h"
#include "ExpectedPicture.h"
#include "Picture.h"

class MagnifierOnPattern : public ::testing::Test {
 protected:
  static constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwell\\Glimmerlux";
  static constexpr auto kStartTimeout = std::chrono::seconds(30);
  // Many ticks of the picture (about 15 a second), even on a slow machine.
  static constexpr auto kPictureTimeout = std::chrono::seconds(5);

  void SetUp() override;
  // So that `make run` in the same Wine prefix starts as a first run too.
  void TearDown() override;

  SIZE ViewSize() const;
  // Half the desktop extent the view shows around the pointer, as the placement counts it.
  POINT HalfSource() const;
  // The desktop area the view shows for this pointer.
  RECT SourceAround(POINT pointer) const;
  // What the view shows of the pattern there, frame and overlays left out.
  Picture PatternAround(POINT pointer, const expected::DesktopColor& colorAt = nullptr) const;
  // A point at these fractions of the desktop.
  POINT DesktopAt(double across, double down) const;

  // Parks the magnifier in a monitor's corner clear of what it is to show and of the pointer,
  // so it never magnifies itself.
  bool MoveMagnifierClearOf(const RECT& source, POINT pointer);
  // The same, clear of every one of these desktop areas.
  bool MoveMagnifierClearOf(std::initializer_list<RECT> areas);
  // Parks the magnifier clear, then puts the pointer there.
  void PointAt(POINT pointer, const RECT& source);

  // Waits for the view to show `wanted`; a failure says `what` and keeps the picture shown.
  // The silver frame along the edge may be there or not when `frameAllowed`.
  bool ExpectView(const Picture& wanted, bool frameAllowed, const std::string& what);
  // The same with a picture worked out afresh for each look, for what may still settle.
  bool ExpectView(const std::function<Picture()>& wanted, bool frameAllowed, const std::string& what);
  // The view goes on showing exactly `wanted`, frame included, for as long as `period`.
  bool ExpectViewKeeps(const Picture& wanted, std::chrono::milliseconds period, const std::string& what);

  // Points at `pointer` and waits for the view to show the pattern around it doubled; the
  // silver frame along the edge may be there or not.
  void ExpectPictureAround(POINT pointer);

  // Returns where the file went.
  static std::string SaveForPerson(const Picture& picture);

  RECT desktop_{};
  // Declared so that the magnifier is killed first, while the pattern still stands.
  ChildProcess pattern_;
  ChildProcess magnifier_;
  HWND window_ = nullptr;
  HWND view_ = nullptr;

 private:
  static inline int saved_ = 0;
};
