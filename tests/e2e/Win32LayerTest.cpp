// The Win32 layer on its own, under Wine: the caret lookups against a foreign application
// (also one that stops responding), the monitor queries behind moving the window away, the
// cursor image and the bitmaps drawn into, the status panel's change of fonts, and the main
// window's menu commands.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <winternl.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Desktop.h"
#include "fixture/CaretFixture.h"
#include "main/CaretFollow.h"
#include "main/MoveAwayFromPointer.h"
#include "main/fmMagnifier.h"
#include "main/win32/AppMessages.h"
#include "main/win32/ControlIds.h"
#include "main/win32/MainWindow.h"
#include "main/win32/MenuBuilder.h"
#include "main/win32/StatusPanelWindow.h"
#include "platform/win32/BaseWindow.h"
#include "platform/win32/CaretProbe.h"
#include "platform/win32/DibSurface.h"
#include "platform/win32/HandlerErrors.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/WindowIds.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kStartTimeout = 30s;
// Far below the automation defaults (seconds), far above what an answering lookup takes.
constexpr auto kLookupBound = 500ms;

struct DestroyWindowClose {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = UniqueHandle<HWND, DestroyWindowClose>;

// The fixture's caret as its caption reports it.
std::optional<POINT> ReportedCaret(HWND fixture) {
  wchar_t caption[64] = {};
  GetWindowTextW(fixture, caption, 64);
  long x = 0;
  long y = 0;
  if (swscanf(caption, caret_fixture::kCaptionFormat, &x, &y) != 2) return std::nullopt;
  return POINT{x, y};
}

Point ToTPoint(POINT p) { return Point{p.x, p.y}; }

class ForeignCaret : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture_ = ChildProcess(L"caret_fixture.exe", L"");
    ASSERT_TRUE(fixture_.Started()) << "caret_fixture.exe did not start";
    ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
      window_ = FindWindowW(caret_fixture::kClassName, nullptr);
      return window_ != nullptr;
    })) << "the fixture window never appeared";
    ASSERT_TRUE(MakeForeground(window_)) << "the fixture did not come to the foreground";
    ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
      caret_ = ReportedCaret(window_);
      return caret_.has_value();
    })) << "the fixture never placed its caret";
  }

  ChildProcess fixture_;
  HWND window_ = nullptr;
  std::optional<POINT> caret_;
};

// This thread has no focus window of its own, so seeing one means input is still attached.
void ExpectInputDetached() { EXPECT_EQ(GetFocus(), nullptr) << "input queues left attached"; }

TEST_F(ForeignCaret, IsFoundThroughTheThreadInputPathWhileAutomationFailsCleanly) {
  const Point expected = ToTPoint(*caret_);

  Point caret{-1, -1};
  caret_probe::AutomationClient automation;
  EXPECT_FALSE(automation.FindCaret(caret)) << "Wine has no automation object";
  EXPECT_EQ(caret, Point{});
  ExpectInputDetached();

  EXPECT_TRUE(caret_probe::FromThreadInput(caret));
  EXPECT_EQ(caret, expected) << caret.x << ", " << caret.y;
  ExpectInputDetached();

  const ForegroundFocus focus = caret_probe::LookAtForegroundFocus();
  EXPECT_EQ(focus.look, FocusLook::FocusWindow);
  EXPECT_TRUE(focus.caretRead);
  EXPECT_EQ(focus.caret, expected);
  ExpectInputDetached();

  Win32Caret platform;
  EXPECT_EQ(LocateCaret(platform), expected);
  ExpectInputDetached();
}

TEST_F(ForeignCaret, AnApplicationThatStopsPumpingMessagesNeverHoldsTheLookup) {
  const Point expected = ToTPoint(*caret_);
  constexpr DWORD kStallMs = 9000;
  ASSERT_TRUE(PostMessageW(window_, caret_fixture::kStopPumping, kStallMs, 0));
  ASSERT_TRUE(WaitUntil(3s, [&] {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) == 0;
  })) << "the fixture kept answering";

  // Through the first seconds of the stall and past the point where the system calls the
  // application hung.
  const auto stallEnds = Clock::now() + std::chrono::milliseconds(kStallMs) - 1500ms;
  auto slowest = Clock::duration::zero();
  bool foundWhileStalled = false;
  bool reportedHung = false;
  caret_probe::AutomationClient automation;
  while (Clock::now() < stallEnds) {
    reportedHung = reportedHung || IsHungAppWindow(window_);
    const auto started = Clock::now();
    Point caret;
    automation.FindCaret(caret);
    const bool found = caret_probe::FromThreadInput(caret);
    caret_probe::LookAtForegroundFocus();
    const auto took = Clock::now() - started;
    slowest = std::max(slowest, took);
    ExpectInputDetached();
    if (found) {
      EXPECT_EQ(caret, expected);
      foundWhileStalled = true;
    }
    Sleep(50);
  }
  EXPECT_LT(slowest, kLookupBound) << std::chrono::duration_cast<std::chrono::milliseconds>(slowest).count()
                                   << " ms for one round of lookups";
  EXPECT_TRUE(foundWhileStalled) << "the caret of a not yet hung application went unseen";
  EXPECT_TRUE(reportedHung) << "the stall never got long enough to count as hung";
}

TEST(OwnWindow, InFrontIsToldApartFromForeignOnes) {
  OwnedWindow window(CreateWindowExW(0, L"STATIC", L"own", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                     nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  ASSERT_TRUE(MakeForeground(window.Get()));
  EXPECT_EQ(caret_probe::LookAtForegroundFocus().look, FocusLook::OwnThread);
}

TEST(MonitorQueries, FeedTheMoveAwayFromThePointer) {
  Win32Services platform;
  const std::vector<MonitorArea> monitors = platform.monitors.All();
  ASSERT_EQ(monitors.size(), 1u) << "the test display has one monitor";
  const Rect b = monitors[0].bounds;
  const RECT desktop = VirtualScreen();
  EXPECT_EQ(b, (Rect{desktop.left, desktop.top, desktop.right, desktop.bottom}));
  MonitorArea nearest;
  ASSERT_TRUE(platform.monitors.Nearest({b.left - 5000, b.top - 5000}, nearest)) << "far off, still the nearest";
  EXPECT_EQ(nearest.id, monitors[0].id);

  constexpr int kWidth = 400;
  constexpr int kHeight = 300;
  OwnedWindow window(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, b.left, b.top, kWidth,
                                     kHeight, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  const struct {
    const char* name;
    POINT pointer;
    POINT expected;
  } cases[] = {
      {"right of the pointer", {b.left + 300, b.top + 400}, {b.left + 450, b.top + 250}},
      {"left of the pointer", {b.right - 100, b.top + 400}, {b.right - 650, b.top + 250}},
      {"no side free: centred",
       {b.right - 100, b.top + 50},
       {b.left + (b.Width() - kWidth) / 2, b.top + (b.Height() - kHeight) / 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(MovePointerTo(c.pointer));
    MoveAwayFromPointer(platform.screen, platform.monitors, platform.windows, ToWindowId(window.Get()));
    RECT placed{};
    GetWindowRect(window.Get(), &placed);
    EXPECT_EQ(placed.left, c.expected.x);
    EXPECT_EQ(placed.top, c.expected.y);
    EXPECT_EQ(placed.right - placed.left, kWidth);
    EXPECT_EQ(placed.bottom - placed.top, kHeight);
  }
}

struct DestroyCursorClose {
  void operator()(HCURSOR cursor) const { DestroyCursor(cursor); }
};
using OwnedCursor = UniqueHandle<HCURSOR, DestroyCursorClose>;

// GetGuiResources answers 0 under Wine, so there the objects are counted in the GDI handle
// table the process environment block points to: 65536 entries of 24 bytes, an entry in use
// having a nonzero type at byte 14.
long OwnGdiObjects() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); count != 0) return count;
  constexpr size_t kTableOffsetInPeb = 0xF8;
  constexpr size_t kEntries = 65536;
  constexpr size_t kEntrySize = 24;
  constexpr size_t kTypeOffset = 14;
  using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (query == nullptr || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) {
    return -1;
  }
  const auto* peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const unsigned char* const*>(peb + kTableOffsetInPeb);
  if (table == nullptr) return -1;
  long count = 0;
  for (size_t i = 0; i < kEntries; ++i) {
    const unsigned char* type = table + i * kEntrySize + kTypeOffset;
    if (type[0] != 0 || type[1] != 0) ++count;
  }
  return count;
}

// A 32 x 32 colour cursor, so that GetIconInfo hands back two bitmaps for it.
OwnedCursor ColorCursor(POINT hotSpot) {
  std::vector<uint32_t> color(32 * 32, 0x00FF8000);
  std::vector<uint16_t> mask(32 * 32 / 16, 0);
  GdiBitmap colorBitmap(CreateBitmap(32, 32, 1, 32, color.data()));
  GdiBitmap maskBitmap(CreateBitmap(32, 32, 1, 1, mask.data()));
  ICONINFO info{FALSE, static_cast<DWORD>(hotSpot.x), static_cast<DWORD>(hotSpot.y), maskBitmap.Get(),
                colorBitmap.Get()};
  return OwnedCursor(CreateIconIndirect(&info));
}

TEST(CursorImage, TheHotSpotIsReadFromTheCursorShownAndLeavesNoBitmapsBehind) {
  OwnedWindow window(CreateWindowExW(0, L"STATIC", L"cursor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                     nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(window);
  // The cursor reported is the foreground thread's: this one's, set below.
  ASSERT_TRUE(MakeForeground(window.Get()));
  const POINT hotSpots[] = {{3, 7}, {12, 1}, {31, 30}};
  Win32Screen screen;
  for (const POINT hotSpot : hotSpots) {
    SCOPED_TRACE(Describe(hotSpot));
    const OwnedCursor cursor = ColorCursor(hotSpot);
    ASSERT_TRUE(cursor);
    SetCursor(cursor.Get());
    CursorImage shown;
    ASSERT_TRUE(screen.CurrentCursor(shown));
    EXPECT_EQ(shown.handle, reinterpret_cast<uintptr_t>(cursor.Get()));
    EXPECT_EQ(shown.hotSpot, (Point{hotSpot.x, hotSpot.y}));
  }

  // Every call gets two new bitmaps from GetIconInfo, one paint after another.
  const OwnedCursor cursor = ColorCursor({5, 6});
  ASSERT_TRUE(cursor);
  SetCursor(cursor.Get());
  CursorImage shown;
  ASSERT_TRUE(screen.CurrentCursor(shown));
  const long before = OwnGdiObjects();
  ASSERT_GT(before, 0) << "the GDI objects could not be counted";
  constexpr int kCalls = 300;
  for (int i = 0; i < kCalls; ++i) screen.CurrentCursor(shown);
  EXPECT_EQ(OwnGdiObjects(), before) << "after " << kCalls << " calls";
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

// Only bitmaps whose pixels GDI reaches are drawn into; any other is refused, not skipped.
TEST(ScreenTargets, OnlyDibSurfacesAreDrawnInto) {
  DibSurfaceFactory dibs;
  const struct {
    const char* name;
    SurfaceFactory& surfaces;
    bool drawn;
  } cases[] = {
      {"DIB surface", dibs, true},
      {"heap memory", HeapSurfaces(), false},
  };
  Win32Screen screen;
  const CursorImage arrow{reinterpret_cast<uintptr_t>(LoadCursorW(nullptr, IDC_ARROW)), {0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bitmap target(c.surfaces);
    target.SetSize(64, 64);
    ASSERT_FALSE(target.Empty());
    EXPECT_EQ(screen.CaptureDesktop({0, 0, 64, 64}, target, {0, 0}), c.drawn);
    EXPECT_EQ(screen.DrawCursorImage(target, arrow, {0, 0}, 32), c.drawn);
  }
}

// Counts the WM_SETFONT messages that reach a control whose present font is already deleted.
LRESULT CALLBACK CountSwitchesFromDeadFonts(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR deadFonts) {
  if (message == WM_SETFONT) {
    const auto held = reinterpret_cast<HGDIOBJ>(DefSubclassProc(control, WM_GETFONT, 0, 0));
    if (held != nullptr && GetObjectType(held) != OBJ_FONT) ++*reinterpret_cast<int*>(deadFonts);
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

// Until WM_SETFONT hands it the next font, a control may still measure or draw with its own.
TEST(StatusPanelFonts, TheOldFontsLiveUntilTheControlsHaveTheNewOnes) {
  StatusPanel panel;
  StatusPanelWindow panelWindow(panel, [](const MenuTable&, POINT) {});
  // Declared after the panel, so its windows go before the panel's fonts do.
  OwnedWindow host(
      CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 200, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(host);
  ASSERT_TRUE(panelWindow.Create(host.Get(), GetModuleHandleW(nullptr)));
  int deadFonts = 0;
  for (int id : {kZoomLevelId, kTypeButtonId, kColorLabelId, kColorSwatchId, kPositionLabelId, kOptionsButtonId,
                 kCloseButtonId}) {
    const HWND control = GetDlgItem(panelWindow.Handle(), id);
    ASSERT_NE(control, nullptr) << id;
    ASSERT_TRUE(SetWindowSubclass(control, CountSwitchesFromDeadFonts, 1, reinterpret_cast<DWORD_PTR>(&deadFonts)));
  }
  // Each new DPI brings new fonts.
  for (UINT dpi : {96u, 144u, 192u, 96u}) panelWindow.Layout(640, 200, dpi);
  EXPECT_EQ(deadFonts, 0);
}

// The captions of a menu's items, a checked one marked with a leading '*', one per line.
std::wstring Captions(HMENU menu) {
  std::wstring lines;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t caption[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
    const bool checked = (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0;
    lines += (checked ? L"*" : L"") + std::wstring(caption) + L"\n";
  }
  return lines;
}

HMENU SubmenuCaptioned(HMENU menu, const wchar_t* caption) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    if (std::wcscmp(text, caption) == 0) return GetSubMenu(menu, i);
  }
  return nullptr;
}

TEST(MessageLoop, OnlyTheVerticalWheelReachesTheZoom) {
  const struct {
    UINT message;
    WPARAM wParam;
    std::optional<int> delta;
  } cases[] = {
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 120},
      {WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), -120},
      {WM_MOUSEWHEEL, MAKEWPARAM(0, 720), 720},
      {WM_MOUSEHWHEEL, MAKEWPARAM(0, 120), std::nullopt},
      {WM_KEYDOWN, 0, std::nullopt},
  };
  for (const auto& c : cases) {
    MSG message{};
    message.message = c.message;
    message.wParam = c.wParam;
    const std::optional<MouseWheel> wheel = DecodeWheel(message);
    ASSERT_EQ(wheel.has_value(), c.delta.has_value()) << c.message;
    if (wheel) {
      EXPECT_EQ(wheel->delta, *c.delta);
    }
  }
}

TEST(MainWindowMenu, TheUpdateFrequencyCommandSetsTheTimerAndMovesTheCheckMark) {
  Win32Services platform;
  DibSurfaceFactory surfaces;
  Tfrmmain frm(platform, surfaces);
  MainWindow window(frm, platform);
  ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr)));

  auto frequencies = [&] {
    const MenuHandle menu = BuildPopupMenu(MainMenuTable(), frm);
    const HMENU submenu = SubmenuCaptioned(menu.Get(), L"Update Frequency");
    return submenu != nullptr ? Captions(submenu) : L"no \"Update Frequency\" submenu";
  };
  EXPECT_EQ(frequencies(), L"*15 x per second : Low\n30 x per second : Medium\n60 x per second : High\n");

  const UINT command = CommandOf(MainMenuTable(), "N60xpersecond1");
  ASSERT_NE(command, 0u);
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
  EXPECT_EQ(frm.Timer1.Interval(), 16u);
  EXPECT_TRUE(frm.Timer1.Enabled());
  EXPECT_EQ(frequencies(), L"15 x per second : Low\n30 x per second : Medium\n*60 x per second : High\n");

  DestroyWindow(window.Handle());
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// A window whose handlers fail on the close request.
class FailingWindow : public BaseWindow<FailingWindow> {
 public:
  bool Create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WndProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"Win32LayerTestFailingWindow";
    RegisterClassExW(&windowClass);
    CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance,
                    this);
    return Handle() != nullptr;
  }

 private:
  friend class BaseWindow<FailingWindow>;
  LRESULT MessageHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) throw std::runtime_error("no room to save");
    return DefaultHandling(message, wParam, lParam);
  }
};

std::string FileText(const std::wstring& path) {
  std::string text;
  if (FILE* file = _wfopen(path.c_str(), L"rb")) {
    char buffer[512];
    for (size_t n; (n = fread(buffer, 1, sizeof(buffer), file)) > 0;) text.append(buffer, n);
    fclose(file);
  }
  return text;
}

TEST(WindowMessages, AFailedHandlerIsReportedAndAFailedCloseDestroysNothing) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring log = std::wstring(folder) + L"glimmerlux-handler-errors.log";
  DeleteFileW(log.c_str());
  ASSERT_TRUE(SetEnvironmentVariableW(kErrorLogVariable, log.c_str()));
  FailingWindow window;
  ASSERT_TRUE(window.Create());
  SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
  // Left to the default, the request would have destroyed the window past everything the
  // program does before it ends.
  EXPECT_TRUE(IsWindow(window.Handle()));
  EXPECT_EQ(FileText(log), "Glimmerlux: error while handling window message 0x0010: no room to save\r\n");
  DestroyWindow(window.Handle());
  SetEnvironmentVariableW(kErrorLogVariable, nullptr);
  DeleteFileW(log.c_str());
}

TEST(SettingsRegistry, AValueFarLargerThanAnyTheProgramWritesIsNeverReadIn) {
  Win32SettingsStore store;
  const wchar_t* name = L"Win32LayerTestValue";
  ASSERT_TRUE(store.WriteText("Win32LayerTestValue", "25"));
  EXPECT_EQ(store.Read("Win32LayerTestValue").text, "25");
  // A number followed by a megabyte of digits: read whole, it would be a number of that text.
  const std::wstring huge = L"25" + std::wstring(512 * 1024, L'0');
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Tarnwell\\Glimmerlux", name, REG_SZ, huge.c_str(),
                            static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  const StoredValue value = store.Read("Win32LayerTestValue");
  EXPECT_EQ(value.kind, StoredValue::Kind::Other);
  EXPECT_TRUE(value.text.empty());
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Tarnwell\\Glimmerlux", name);
}

// The built menu as text, one item a line, indented by its depth: "*" for a check mark, "~" for
// a greyed item, "-" for a separator, and a submenu's items below its own line.
void WalkMenu(HMENU menu, int depth, std::wstring& lines) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t caption[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = 128;
    ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info));
    lines += std::wstring(static_cast<size_t>(depth) * 2, L' ');
    if (info.fType & MFT_SEPARATOR) {
      lines += L"-\n";
      continue;
    }
    lines += std::wstring((info.fState & MFS_CHECKED) ? L"*" : L"") + ((info.fState & MFS_GRAYED) ? L"~" : L"") +
             caption + L"\n";
    if (info.hSubMenu != nullptr) WalkMenu(info.hSubMenu, depth + 1, lines);
  }
}

// The same from the table: every item a person can reach, its live check mark and state, and a
// separator only between two items of one level.
std::wstring TableAsText(const MenuTable& table, Tfrmmain& frm) {
  std::wstring lines;
  std::vector<bool> separatorDue(8, false);
  std::vector<bool> levelHasItems(8, false);
  int parentDepth = -1;
  for (size_t i = 0; i < table.entries.size(); ++i) {
    const TMenuEntry& entry = table.entries[i];
    // A level begins afresh under each submenu.
    if (entry.Depth > parentDepth) {
      separatorDue[static_cast<size_t>(entry.Depth)] = false;
      levelHasItems[static_cast<size_t>(entry.Depth)] = false;
    }
    parentDepth = entry.Depth;
    bool reachable = IsAvailable(table.entries, i);
    for (size_t up = i, d = static_cast<size_t>(entry.Depth); reachable && d > 0 && up-- > 0;) {
      if (static_cast<size_t>(table.entries[up].Depth) == d - 1) {
        reachable = IsAvailable(table.entries, up);
        --d;
      }
    }
    if (!reachable) continue;
    const auto d = static_cast<size_t>(entry.Depth);
    if (entry.IsSeparator()) {
      separatorDue[d] = levelHasItems[d];
      continue;
    }
    const std::wstring indent(d * 2, L' ');
    if (separatorDue[d]) lines += indent + L"-\n";
    separatorDue[d] = false;
    levelHasItems[d] = true;
    std::string caption = entry.Caption;
    if (const std::string keys = ShortCutToText(entry.ShortCut); !keys.empty()) caption += "\t" + keys;
    const TMenuItem* item = entry.Item != nullptr ? &(frm.menu.*entry.Item) : nullptr;
    const bool checked = item != nullptr && item->Checked && !OpensSubmenu(table.entries, i);
    const bool greyed = item != nullptr && !item->Enabled && !OpensSubmenu(table.entries, i);
    lines += indent + (checked ? L"*" : L"") + (greyed ? L"~" : L"") + WideFromUtf8(caption) + L"\n";
  }
  return lines;
}

TEST(MainWindowMenu, EveryBuiltMenuHoldsEachReachableEntryOfItsTableInOrder) {
  Win32Services platform;
  DibSurfaceFactory surfaces;
  Tfrmmain frm(platform, surfaces);
  MainWindow window(frm, platform);
  ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr)));
  // Other marks than the first start's, and a greyed item, so the walk sees live state.
  SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(CommandOf(MainMenuTable(), "CvSeverity40"), 0), 0);
  frm.menu.AboutGlimmerlux1.Enabled = false;

  for (const MenuTable& table : {MainMenuTable(), ColorDisplayMenuTable(), CopyCoordMenuTable()}) {
    const MenuHandle menu = BuildPopupMenu(table, frm);
    ASSERT_TRUE(menu);
    std::wstring built;
    WalkMenu(menu.Get(), 0, built);
    EXPECT_EQ(built, TableAsText(table, frm));
  }

  // Written out by hand: a submenu of ten items once read as a separator and was dropped.
  const MenuHandle menu = BuildPopupMenu(MainMenuTable(), frm);
  const HMENU vision = SubmenuCaptioned(menu.Get(), L"Color Vision Simulation");
  ASSERT_NE(vision, nullptr);
  std::wstring built;
  WalkMenu(vision, 0, built);
  EXPECT_EQ(built,
            L"*None\nProtanopia / Protanomaly (Machado 2009)\nDeuteranopia / Deuteranomaly (Machado 2009)\n"
            L"Tritanopia (Brettel 1997)\n-\nSeverity\n  10 %\n  20 %\n  30 %\n  *40 %\n  50 %\n  60 %\n  70 %\n"
            L"  80 %\n  90 %\n  100 % (dichromacy)\n");

  DestroyWindow(window.Handle());
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace

int main(int argc, char** argv) {
  // As the program itself runs: physical pixels, COM in a single-threaded apartment.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  const ComApartment com(COINIT_APARTMENTTHREADED);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
