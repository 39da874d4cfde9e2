// The frame of the real glimmerlux.exe: moving it by its picture, the title bar, translucency and
// the default size, as the window manager and the screen report them; and the program file.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Commands.h"
#include "Desktop.h"
#include "ExpectedPicture.h"
#include "MagnifierOnPattern.h"
#include "Picture.h"

namespace {

// The caption, border, system menu and sizing frame the title bar comes and goes with.
constexpr LONG_PTR kTitleBarStyles = WS_BORDER | WS_DLGFRAME | WS_SYSMENU | WS_THICKFRAME;

class WindowChrome : public MagnifierOnPattern {
 protected:
  POINT ViewCentre() const {
    const RECT view = ScreenRectOfClient(view_);
    return {(view.left + view.right) / 2, (view.top + view.bottom) / 2};
  }

  LONG_PTR TitleBarStyles() const { return GetWindowLongPtrW(window_, GWL_STYLE) & kTitleBarStyles; }

  void DoubleClickThePicture() {
    ASSERT_TRUE(MovePointerTo(ViewCentre()));
    for (int click = 0; click < 2; ++click) {
      SendMouse(MOUSEEVENTF_LEFTDOWN);
      SendMouse(MOUSEEVENTF_LEFTUP);
    }
  }

  // Points at `pointer` and waits for the view to show the pattern around it, with the silver
  // frame exactly when `framed`.
  void ExpectPatternAround(POINT pointer, bool framed, const std::string& what) {
    PointAt(pointer, SourceAround(pointer));
    if (HasFatalFailure()) return;
    ExpectView(
        [&] {
          const Picture pattern = PatternAround(pointer);
          return framed ? expected::Framed(pattern) : pattern;
        },
        false, what);
  }
};

TEST_F(WindowChrome, DraggingThePictureMovesTheWindow) {
  const RECT& d = desktop_;
  ASSERT_TRUE(MoveWindowTo(window_, {d.left + 200, d.top + 200}));
  RECT before{};
  GetWindowRect(window_, &before);
  const POINT start = ViewCentre();
  ASSERT_TRUE(MovePointerTo(start));

  SendMouse(MOUSEEVENTF_LEFTDOWN);
  // In small steps, as a hand moves, so the move loop sees every one.
  constexpr POINT kBy{120, 72};
  constexpr int kSteps = 12;
  for (int step = 1; step <= kSteps; ++step) {
    ASSERT_TRUE(MovePointerTo({start.x + kBy.x * step / kSteps, start.y + kBy.y * step / kSteps}));
  }
  const POINT wanted{before.left + kBy.x, before.top + kBy.y};
  RECT during{};
  const bool followed = WaitUntil(kSettle, [&] {
    GetWindowRect(window_, &during);
    return during.left == wanted.x && during.top == wanted.y;
  });
  SendMouse(MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(followed) << "the window is at " << Describe(during) << ", want its corner at " << Describe(wanted);

  // Let go, it stays where it was dropped, its size unchanged.
  ASSERT_TRUE(MovePointerTo({start.x + kBy.x + 30, start.y + kBy.y + 30}));
  RECT after{};
  GetWindowRect(window_, &after);
  EXPECT_EQ(Describe(after), Describe(RECT{wanted.x, wanted.y, wanted.x + before.right - before.left,
                                           wanted.y + before.bottom - before.top}));
}

TEST_F(WindowChrome, DoubleClickOnThePictureTogglesTheTitleBarAndTheFrame) {
  ASSERT_EQ(TitleBarStyles(), 0) << "a first run starts without title bar";
  const POINT p = DesktopAt(0.3, 0.35);
  ExpectPatternAround(p, true, "the pattern in a silver frame");

  DoubleClickThePicture();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_TRUE(WaitUntil(kSettle, [&] { return TitleBarStyles() == kTitleBarStyles; }))
      << "style " << std::hex << GetWindowLongPtrW(window_, GWL_STYLE);
  ExpectPatternAround(p, false, "the pattern without frame");

  DoubleClickThePicture();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_TRUE(WaitUntil(kSettle, [&] { return TitleBarStyles() == 0; }))
      << "style " << std::hex << GetWindowLongPtrW(window_, GWL_STYLE);
  ExpectPatternAround(p, true, "the pattern in a silver frame again");
}

// Read back from the window: Xvfb has no compositor, so the screen shows the window opaque
// whatever its opacity.
TEST_F(WindowChrome, CtrlAltTMakesTheWindowTranslucentAndOpaqueAgain) {
  bool layered = false;
  BYTE alpha = 0;
  DWORD flags = 0;
  const auto readBack = [&] {
    layered = (GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    COLORREF key = 0;
    alpha = 0;
    flags = 0;
    if (layered) GetLayeredWindowAttributes(window_, &key, &alpha, &flags);
  };
  const auto translucent = [&] {
    readBack();
    return layered && alpha == 160 && (flags & LWA_ALPHA) != 0;
  };
  const auto opaque = [&] {
    readBack();
    return !layered || (alpha == 255 && (flags & LWA_ALPHA) != 0);
  };
  ASSERT_TRUE(MakeForeground(window_));
  PressKeys({VK_CONTROL, VK_MENU, 'T'});
  EXPECT_TRUE(WaitUntil(kSettle, translucent))
      << "layered " << layered << ", alpha " << int{alpha} << ", flags " << flags;
  PressKeys({VK_CONTROL, VK_MENU, 'T'});
  EXPECT_TRUE(WaitUntil(kSettle, opaque)) << "layered " << layered << ", alpha " << int{alpha} << ", flags " << flags;
}

TEST_F(WindowChrome, SetDefaultWindowSizeGivesA480By320WindowAtTheOrigin) {
  ASSERT_TRUE(MoveWindowTo(window_, {desktop_.left + 300, desktop_.top + 200}));
  ASSERT_TRUE(RunCommand(window_, "Setdefaultwindowsize1"));
  RECT window{};
  GetWindowRect(window_, &window);
  EXPECT_EQ(Describe(window), Describe(RECT{0, 0, 480, 320}));
  // Without title bar the whole window is client area, and the view spans all of it.
  EXPECT_EQ(ViewSize().cx, 480);
}

TEST(ProgramFile, AsksForWindowsSubsystemVersionSixOrLater) {
  const std::wstring path = BesideThisProgram(L"glimmerlux.exe");
  std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path.c_str(), L"rb"), &std::fclose);
  ASSERT_TRUE(file) << "cannot open glimmerlux.exe beside the driver";
  std::vector<char> bytes(1 << 16);
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));

  IMAGE_DOS_HEADER dos{};
  ASSERT_GE(bytes.size(), sizeof(dos));
  std::memcpy(&dos, bytes.data(), sizeof(dos));
  ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
  IMAGE_NT_HEADERS64 nt{};
  ASSERT_GE(dos.e_lfanew, 0);
  ASSERT_LE(static_cast<size_t>(dos.e_lfanew) + sizeof(nt), bytes.size());
  std::memcpy(&nt, bytes.data() + dos.e_lfanew, sizeof(nt));
  ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
  ASSERT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);

  const IMAGE_OPTIONAL_HEADER64& header = nt.OptionalHeader;
  EXPECT_GE(header.MajorSubsystemVersion, 6)
      << "subsystem version " << header.MajorSubsystemVersion << "." << header.MinorSubsystemVersion;
  EXPECT_EQ(header.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI) << "a console would open beside the window";
}

}  // namespace
