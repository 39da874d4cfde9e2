// The settings key is anyone's to write: an older version, a cleaner, a hand in the registry
// editor. Whatever it holds, on whatever screen, the program starts, runs, takes commands and
// saves, with every option inside its own range.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fake/FakePlatform.h"
#include "fuzz/FuzzCheck.h"
#include "main/MainMenu.h"
#include "main/fmMagnifier.h"

namespace {

// Every name either writer uses, and the desktop-size forms of the placement.
constexpr const char* kNames[] = {"ColorFilterMode",
                                  "InvertImage1_Checked",
                                  "memX",
                                  "memY",
                                  "Pixlevel",
                                  "ShowTitlebar",
                                  "Combobox1_Itemindex",
                                  "Timer1_Interval",
                                  "DrawCrossHair1_Checked",
                                  "DrawGrid1_Checked",
                                  "Panel1_Visible",
                                  "MakeWindowTransparent1_Checked",
                                  "ShowCursor1_Checked",
                                  "Stayontop1_Checked",
                                  "RGBValues1_Checked",
                                  "Smoothen1_Checked",
                                  "cbxZoomLevel_ItemIndex",
                                  "FixedLocation1_Checked",
                                  "StayinSystemTray1_Checked",
                                  "DrawFixedGrid1_Checked",
                                  "btnType_Down",
                                  "FollowCaretPosition1_Checked",
                                  "FlipwhenHovered1_Checked",
                                  "FlipVertically1_Checked",
                                  "FlipHorizontally1_Checked",
                                  "FormVersion",
                                  "Flags",
                                  "PixelsPerInch",
                                  "MinMaxPos",
                                  "NormPos",
                                  "MinMaxPos(640x480)",
                                  "NormPos(640x480)",
                                  "NormPos(1280x480)",
                                  "NormPos(640x960)"};

constexpr WindowId kMainWindow = 100;
constexpr WindowId kViewWindow = 101;

StoredValue AnyValue(FuzzedDataProvider& in) {
  StoredValue value;
  value.kind = in.PickValueInArray(
      {StoredValue::Kind::Dword, StoredValue::Kind::Qword, StoredValue::Kind::Text, StoredValue::Kind::Other});
  if (value.kind == StoredValue::Kind::Dword) value.number = in.ConsumeIntegral<uint32_t>();
  if (value.kind == StoredValue::Kind::Qword) value.number = in.ConsumeIntegral<uint64_t>();
  if (value.kind == StoredValue::Kind::Text) value.text = in.ConsumeRandomLengthString(64);
  return value;
}

Point AnyPoint(FuzzedDataProvider& in) {
  return {in.ConsumeIntegralInRange(-5000, 5000), in.ConsumeIntegralInRange(-5000, 5000)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  FakePlatform platform;
  // One monitor, or two side by side or stacked, the second possibly left of or above the
  // first; small, so that a run stays quick.
  const Rect primary{0, 0, 640, 480};
  const Point offsets[] = {{0, 0}, {-640, 0}, {640, 0}, {0, -480}, {0, 480}};
  const Point second = in.PickValueInArray(offsets);
  platform.monitors.list = {{1, primary}};
  if (second != Point{0, 0})
    platform.monitors.list.push_back({2, {second.x, second.y, second.x + 640, second.y + 480}});
  platform.screen.virtualScreen = {std::min(0, second.x), std::min(0, second.y), std::max(640, second.x + 640),
                                   std::max(480, second.y + 480)};
  platform.screen.PaintDesktop(PatternPixel);
  platform.screen.pixelsPerInch = in.PickValueInArray({96, 120, 144});
  platform.screen.captureWorks = in.ConsumeBool();
  platform.clipboard.available = in.ConsumeBool();
  platform.settings.writable = in.ConsumeBool();

  const int values = in.ConsumeIntegralInRange(0, 40);
  for (int i = 0; i < values; ++i) platform.settings.Put(in.PickValueInArray(kNames), AnyValue(in));

  Tfrmmain form(platform);
  form.AttachWindow(kMainWindow);
  form.FormCreate();
  form.RestoreFormState();
  form.FormShow();
  form.imageview1().AttachWindow(kViewWindow);

  const auto menu = mnuMainEntries();
  while (in.remaining_bytes() > 0) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0:
        platform.screen.pointer = AnyPoint(in);
        form.Timer1Timer();
        form.imageview1().Paint();
        break;
      case 1:
        RunMenuEntry(form, menu, in.ConsumeIntegralInRange<size_t>(0, menu.size() - 1));
        break;
      case 2:
        form.imageview1().WMSize(in.ConsumeIntegralInRange(0, 400), in.ConsumeIntegralInRange(0, 300));
        break;
      case 3:
        platform.screen.captureWorks = in.ConsumeBool();
        break;
    }
    const int filter = form.imageview1().ColorFilterMode();
    FUZZ_CHECK(filter >= 0 && filter <= 9);
    FUZZ_CHECK(form.imageview1().Zoom() >= 0.1f);
    FUZZ_CHECK(form.Timer1.Interval() >= 16 && form.Timer1.Interval() <= 1000);
  }
  // A placement the restore applied lies on the screen as it is now.
  for (const WindowPlacement& placement : platform.frame.placementsSet) {
    const Rect& r = placement.normal;
    FUZZ_CHECK(r.left < r.right);
    FUZZ_CHECK(platform.monitors.OnSomeMonitor({r.left, r.top}));
    FUZZ_CHECK(platform.monitors.OnSomeMonitor({r.right - 1, r.bottom - 1}));
  }
  form.SaveFormState();
  return 0;
}
