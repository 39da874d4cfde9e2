#include "main/MainMenu.h"

#include <array>

#include "main/ZoomSelection.h"
#include "main/fmMagnifier.h"

namespace {

constexpr TShortCut kNone{};

// The integer levels share one handler, which reads the factor from the tag.
constexpr TMenuEntry ZoomItem(const char* name, TMenuItem TMainMenuItems::*item, size_t index) {
  return {name,
          kZoomCaptions[index],
          1,
          kNone,
          static_cast<int>(ZoomLevels[index]),
          false,
          item,
          [](Tfrmmain& f, TMenuItem& sender) { f.Magnify1X1Click(sender); }};
}

// The update rates share one handler, which reads the timer interval from the tag.
constexpr TMenuHandler kFrequencyHandler = [](Tfrmmain& f, TMenuItem& sender) { f.N1xpersecond1Click(sender); };

constexpr TMenuEntry FrequencyItem(const char* name, const char* caption, int interval, TMenuItem TMainMenuItems::*item,
                                   bool hidden = false) {
  return {name, caption, 1, kNone, interval, false, item, kFrequencyHandler, hidden};
}

// The filters share one handler, which reads the filter's number from the tag.
constexpr TMenuEntry FilterItem(const char* name, const char* caption, TColorFilterMode mode,
                                TMenuItem TMainMenuItems::*item, TShortCut shortcut = kNone) {
  return {name, caption,        1,    shortcut,
          mode, mode == cfNone, item, [](Tfrmmain& f, TMenuItem& sender) { f.ColorFilterClick(sender); }};
}

// The simulations, their severities and the sample sizes each share a handler, which reads
// the number, the percent or the side from the tag.
constexpr TMenuEntry SimulationItem(const char* name, const char* caption, VisionDeficiency deficiency,
                                    TMenuItem TMainMenuItems::*item) {
  return {name,
          caption,
          1,
          kNone,
          static_cast<int>(deficiency),
          deficiency == VisionDeficiency::None,
          item,
          [](Tfrmmain& f, TMenuItem& sender) { f.SimulationClick(sender); }};
}

constexpr TMenuEntry SeverityItem(const char* name, const char* caption, int percent, TMenuItem TMainMenuItems::*item) {
  return {name,    caption,
          2,       kNone,
          percent, percent == kMaxSeverity,
          item,    [](Tfrmmain& f, TMenuItem& sender) { f.SeverityClick(sender); }};
}

constexpr TMenuEntry SampleItem(const char* name, const char* caption, int side, TMenuItem TMainMenuItems::*item) {
  return {name, caption,   1,    kNone,
          side, side == 1, item, [](Tfrmmain& f, TMenuItem& sender) { f.SampleSizeClick(sender); }};
}

// The grid spacings share one handler, which reads the spacing from the tag.
constexpr TMenuEntry GridItem(const char* name, const char* caption, int spacing, TMenuItem TMainMenuItems::*item) {
  return {name,    caption, 2,    kNone,
          spacing, false,   item, [](Tfrmmain& f, TMenuItem& sender) { f.N1pixel1Click(sender); }};
}

// A command whose handler needs no sender.
template <void (Tfrmmain::*handler)()>
void Command(Tfrmmain& f, TMenuItem&) {
  (f.*handler)();
}

const TMenuEntry kMainMenu[] = {
    {"ZoomLevel1", "Zoom Level", 0, kNone, 0, false, nullptr, nullptr},
    ZoomItem("Magnify1X1", &TMainMenuItems::Magnify1X1, 0),
    ZoomItem("Magnify2X1", &TMainMenuItems::Magnify2X1, 1),
    ZoomItem("Magnify3X1", &TMainMenuItems::Magnify3X1, 2),
    ZoomItem("Magnify4X1", &TMainMenuItems::Magnify4X1, 3),
    ZoomItem("Magnify5X1", &TMainMenuItems::Magnify5X1, 4),
    ZoomItem("Magnify6X1", &TMainMenuItems::Magnify6X1, 5),
    ZoomItem("Magnify8X1", &TMainMenuItems::Magnify8X1, 6),
    ZoomItem("Magnify10X1", &TMainMenuItems::Magnify10X1, 7),
    ZoomItem("Magnify12X1", &TMainMenuItems::Magnify12X1, 8),
    ZoomItem("Magnify16x1", &TMainMenuItems::Magnify16x1, 9),
    ZoomItem("Magnify20x1", &TMainMenuItems::Magnify20x1, 10),
    ZoomItem("Magnify24x1", &TMainMenuItems::Magnify24x1, 11),
    ZoomItem("Magnify28x1", &TMainMenuItems::Magnify28x1, 12),
    ZoomItem("Magnify32x1", &TMainMenuItems::Magnify32x1, 13),
    ZoomItem("Magnify36x1", &TMainMenuItems::Magnify36x1, 14),
    ZoomItem("Magnify40x1", &TMainMenuItems::Magnify40x1, 15),
    {"Magnify075X1", kZoomCaptions[16], 1, kNone, 0, false, &TMainMenuItems::Magnify075X1,
     Command<&Tfrmmain::Magnify075X1Click>},
    {"Magnify05X1", kZoomCaptions[17], 1, kNone, 0, false, &TMainMenuItems::Magnify05X1,
     Command<&Tfrmmain::Magnify05X1Click>},
    {"Magnify025X1", kZoomCaptions[18], 1, kNone, 0, false, &TMainMenuItems::Magnify025X1,
     Command<&Tfrmmain::Magnify025X1Click>},
    {"UpdateFrequency1", "Update Frequency", 0, kNone, 0, false, nullptr, nullptr},
    FrequencyItem("N5xpersecond1", "5 x per second", 200, &TMainMenuItems::N5xpersecond1, true),
    FrequencyItem("N10xpersecond1", "10 x per second : Low", 100, &TMainMenuItems::N10xpersecond1, true),
    FrequencyItem("N15xpersecond1", "15 x per second : Low", 66, &TMainMenuItems::N15xpersecond1),
    FrequencyItem("N30xpersecond1", "30 x per second : Medium", 33, &TMainMenuItems::N30xpersecond1),
    FrequencyItem("N60xpersecond1", "60 x per second : High", 16, &TMainMenuItems::N60xpersecond1),
    {"Smoothen1", "Smoothen Display", 0, kNone, 0, false, &TMainMenuItems::Smoothen1,
     Command<&Tfrmmain::Smoothen1Click>},
    {"ColorFilter1", "Color Filter", 0, kNone, 0, false, nullptr, nullptr},
    FilterItem("CfNone1", "None", cfNone, &TMainMenuItems::CfNone1),
    FilterItem("CfGrayscale1", "Grayscale", cfGrayscale, &TMainMenuItems::CfGrayscale1),
    FilterItem("CfSepia1", "Sepia", cfSepia, &TMainMenuItems::CfSepia1),
    FilterItem("CfInvert1", "Invert", cfInvert, &TMainMenuItems::CfInvert1, CtrlAlt('I')),
    FilterItem("CfProtanopia1", "Protanopia Simulation", cfProtanopia, &TMainMenuItems::CfProtanopia1),
    FilterItem("CfDeuteranopia1", "Deuteranopia Simulation", cfDeuteranopia, &TMainMenuItems::CfDeuteranopia1),
    FilterItem("CfTritanopia1", "Tritanopia Simulation", cfTritanopia, &TMainMenuItems::CfTritanopia1),
    FilterItem("CfDaltonizeProtanopia1", "Protanopia Correction", cfDaltonizeProtanopia,
               &TMainMenuItems::CfDaltonizeProtanopia1),
    FilterItem("CfDaltonizeDeuteranopia1", "Deuteranopia Correction", cfDaltonizeDeuteranopia,
               &TMainMenuItems::CfDaltonizeDeuteranopia1),
    FilterItem("CfDaltonizeTritanopia1", "Tritanopia Correction", cfDaltonizeTritanopia,
               &TMainMenuItems::CfDaltonizeTritanopia1),
    {"ColorVision1", "Color Vision Simulation", 0, kNone, 0, false, nullptr, nullptr},
    SimulationItem("CvNone1", "None", VisionDeficiency::None, &TMainMenuItems::CvNone1),
    SimulationItem("CvProtan1", "Protanopia / Protanomaly (Machado 2009)", VisionDeficiency::Protan,
                   &TMainMenuItems::CvProtan1),
    SimulationItem("CvDeutan1", "Deuteranopia / Deuteranomaly (Machado 2009)", VisionDeficiency::Deutan,
                   &TMainMenuItems::CvDeutan1),
    SimulationItem("CvTritan1", "Tritanopia (Brettel 1997)", VisionDeficiency::Tritan, &TMainMenuItems::CvTritan1),
    {"N11", "-", 1, kNone, 0, false, nullptr, nullptr},
    {"CvSeverity1", "Severity", 1, kNone, 0, false, nullptr, nullptr},
    SeverityItem("CvSeverity10", "10 %", 10, &TMainMenuItems::CvSeverity10),
    SeverityItem("CvSeverity20", "20 %", 20, &TMainMenuItems::CvSeverity20),
    SeverityItem("CvSeverity30", "30 %", 30, &TMainMenuItems::CvSeverity30),
    SeverityItem("CvSeverity40", "40 %", 40, &TMainMenuItems::CvSeverity40),
    SeverityItem("CvSeverity50", "50 %", 50, &TMainMenuItems::CvSeverity50),
    SeverityItem("CvSeverity60", "60 %", 60, &TMainMenuItems::CvSeverity60),
    SeverityItem("CvSeverity70", "70 %", 70, &TMainMenuItems::CvSeverity70),
    SeverityItem("CvSeverity80", "80 %", 80, &TMainMenuItems::CvSeverity80),
    SeverityItem("CvSeverity90", "90 %", 90, &TMainMenuItems::CvSeverity90),
    SeverityItem("CvSeverity100", "100 % (dichromacy)", 100, &TMainMenuItems::CvSeverity100),
    {"FlipScreen1", "Flip Screen", 0, kNone, 0, false, nullptr, nullptr},
    {"FlipHorizontally1", "Flip Horizontally", 1, CtrlAlt('H'), 0, false, &TMainMenuItems::FlipHorizontally1,
     Command<&Tfrmmain::FlipHorizontally1Click>},
    {"FlipVertically1", "Flip Vertically", 1, CtrlAlt('V'), 0, false, &TMainMenuItems::FlipVertically1,
     Command<&Tfrmmain::FlipVertically1Click>},
    {"N1", "-", 0, kNone, 0, false, nullptr, nullptr},
    {"Showcursor1", "Show Cursor", 0, kNone, 0, true, &TMainMenuItems::Showcursor1,
     Command<&Tfrmmain::Showcursor1Click>},
    {"DrawCrossHair1", "Draw Crosshair", 0, kNone, 0, false, &TMainMenuItems::DrawCrossHair1,
     Command<&Tfrmmain::DrawCrossHair1Click>},
    {"DrawGrid1", "Draw Grid", 0, kNone, 0, false, &TMainMenuItems::DrawGrid1, nullptr},
    {"GridSpacing1", "Grid Spacing", 1, kNone, 0, false, nullptr, nullptr},
    GridItem("NoGrid1", "No Grid", 0, &TMainMenuItems::NoGrid1),
    GridItem("N1pixel1", "1 pixel", 1, &TMainMenuItems::N1pixel1),
    GridItem("N5pixels1", "5 pixels", 5, &TMainMenuItems::N5pixels1),
    GridItem("N10pixels1", "10 pixels", 10, &TMainMenuItems::N10pixels1),
    GridItem("N20pixels1", "20 pixels", 20, &TMainMenuItems::N20pixels1),
    GridItem("N50pixels1", "50 pixels", 50, &TMainMenuItems::N50pixels1),
    {"DrawFixedGrid1", "Draw Fixed Grid", 1, kNone, 0, false, &TMainMenuItems::DrawFixedGrid1,
     Command<&Tfrmmain::DrawFixedGrid1Click>},
    {"ColorDisplay1", "Color Display", 0, kNone, 0, false, nullptr, nullptr},
    {"RGBValues1", "RGB Values", 1, kNone, 0, true, &TMainMenuItems::RGBValues1, Command<&Tfrmmain::RGBValues1Click>},
    {"HTMLCode1", "HTML Code", 1, kNone, 0, false, &TMainMenuItems::HTMLCode1, Command<&Tfrmmain::HTMLCode1Click>},
    {"SampleSize1", "Sample Size", 0, kNone, 0, false, nullptr, nullptr},
    SampleItem("Sample1x1", "1 x 1", 1, &TMainMenuItems::Sample1x1),
    SampleItem("Sample3x3", "3 x 3 average", 3, &TMainMenuItems::Sample3x3),
    SampleItem("Sample5x5", "5 x 5 average", 5, &TMainMenuItems::Sample5x5),
    {"ContrastCheck1", "Contrast Check", 0, kNone, 0, false, nullptr, nullptr},
    {"PickForegroundColor1", "Pick Foreground Color", 1, CtrlAlt('K'), 0, false, nullptr,
     Command<&Tfrmmain::PickForegroundColor1Click>},
    {"PickBackgroundColor1", "Pick Background Color", 1, CtrlAlt('B'), 0, false, nullptr,
     Command<&Tfrmmain::PickBackgroundColor1Click>},
    {"CopyContrast1", "Copy Contrast Summary", 1, CtrlAlt('R'), 0, false, nullptr,
     Command<&Tfrmmain::CopyContrast1Click>},
    {"N2", "-", 0, kNone, 0, false, nullptr, nullptr},
    {"ShowHideTitlebar1", "Show/Hide Title Bar", 0, kNone, 0, false, nullptr,
     Command<&Tfrmmain::ShowHideTitlebar1Click>},
    {"ShowPanel1", "Show Panel", 0, kNone, 0, true, &TMainMenuItems::ShowPanel1, Command<&Tfrmmain::ShowPanel1Click>},
    {"StayOnTop1", "Stay On Top", 0, CtrlAlt(kVkSpace), 0, false, &TMainMenuItems::StayOnTop1,
     Command<&Tfrmmain::StayOnTop1Click>},
    {"MakeWindowTransparent1", "Make Window Transparent", 0, CtrlAlt('T'), 0, false,
     &TMainMenuItems::MakeWindowTransparent1, Command<&Tfrmmain::MakeWindowTransparent1Click>},
    {"Setdefaultwindowsize1", "Set Default Window Size (320x480) Top Left", 0, kNone, 0, false, nullptr,
     Command<&Tfrmmain::Setdefaultwindowsize1Click>},
    {"FlipwhenHovered1", "Change Position when Hovered Over", 0, CtrlAlt('P'), 0, false,
     &TMainMenuItems::FlipwhenHovered1, Command<&Tfrmmain::FlipwhenHovered1Click>},
    {"N3", "-", 0, kNone, 0, false, nullptr, nullptr},
    {"FollowCaretPosition1", "Follow Caret Position", 0, kNone, 0, false, &TMainMenuItems::FollowCaretPosition1,
     Command<&Tfrmmain::FollowCaretPosition1Click>},
    {"FixedLocation1", "Fixed Location", 0, CtrlAlt('F'), 0, false, &TMainMenuItems::FixedLocation1,
     Command<&Tfrmmain::FixedLocation1Click>},
    {"SetVirtualOrigin1", "Set Virtual Origin", 0, CtrlAlt('O'), 0, false, nullptr,
     Command<&Tfrmmain::SetVirtualOrigin1Click>},
    {"N4", "-", 0, kNone, 0, false, nullptr, nullptr},
    {"CopyImagetoClipboard1", "Copy Image to Clipboard", 0, CtrlAlt('C'), 0, false, nullptr,
     Command<&Tfrmmain::CopyImagetoClipboard1Click>},
    {"N5", "-", 0, kNone, 0, false, nullptr, nullptr},
    {"Enabled1", "Glimmerlux On/Off", 0, CtrlAlt('E'), 0, true, &TMainMenuItems::Enabled1,
     Command<&Tfrmmain::Enabled1Click>},
    {"ShowHideProgram1", "Show/Hide Glimmerlux Window", 0, CtrlAlt('G'), 0, false, nullptr,
     Command<&Tfrmmain::ShowHideProgram1Click>},
    {"StayinSystemTray1", "Stay in System Tray", 0, kNone, 0, true, &TMainMenuItems::StayinSystemTray1,
     Command<&Tfrmmain::StayinSystemTray1Click>},
    {"RunonStartup1", "Run on Startup", 0, kNone, 0, false, &TMainMenuItems::RunonStartup1,
     Command<&Tfrmmain::RunonStartup1Click>},
    {"N6", "-", 0, kNone, 0, false, nullptr, nullptr},
    {"CheckforUpdates1", "Check for Updates...", 0, kNone, 0, false, &TMainMenuItems::CheckforUpdates1,
     Command<&Tfrmmain::CheckforUpdates1Click>},
    {"VisitTarnwellSoftwareWebsite1", "Visit Tarnwell Software Website", 0, kNone, 0, false, nullptr,
     Command<&Tfrmmain::VisitTarnwellSoftwareWebsite1Click>},
    {"ShowHelpfile1",
     "Help Topics",
     0,
     {kVkF1, false, false, false},
     0,
     false,
     nullptr,
     Command<&Tfrmmain::ShowHelpfile1Click>},
    {"AboutGlimmerlux1", "About Glimmerlux...", 0, kNone, 0, false, &TMainMenuItems::AboutGlimmerlux1,
     Command<&Tfrmmain::AboutGlimmerlux1Click>},
    {"Exit1", "Exit", 0, {kVkF4, false, true, false}, 0, false, nullptr, Command<&Tfrmmain::Exit1Click>},
};

const TMenuEntry kColorDisplayMenu[] = {
    {"CopyColortoClipboard2", "Copy Color to Clipboard", 0, kNone, 0, false, nullptr,
     Command<&Tfrmmain::CopyColortoClipboard1Click>},
    {"N10", "-", 0, kNone, 0, false, nullptr, nullptr},
    {"mnuRGB", "RGB Values", 0, kNone, 0, true, &TMainMenuItems::mnuRGB, Command<&Tfrmmain::RGBValues1Click>},
    {"mnuHTML", "HTML Code", 0, kNone, 0, false, &TMainMenuItems::mnuHTML, Command<&Tfrmmain::HTMLCode1Click>},
};

const TMenuEntry kCopyCoordMenu[] = {
    {"mnuCopyCoord1", "Copy Coordinates to Clipboard", 0, kNone, 0, false, nullptr,
     Command<&Tfrmmain::mnuCopyCoord1Click>},
};

void AppendModifier(std::string& text, bool on, const char* name) {
  if (on) text.append(name).append("+");
}

}  // namespace

std::string ShortCutToText(TShortCut shortcut) {
  if (shortcut.Key == 0) return {};
  std::string text;
  AppendModifier(text, shortcut.Ctrl, "Ctrl");
  AppendModifier(text, shortcut.Alt, "Alt");
  AppendModifier(text, shortcut.Shift, "Shift");
  const uint16_t key = shortcut.Key;
  if (key == kVkSpace) {
    text += "Space";
  } else if (key >= kVkF1 && key < kVkF1 + 24) {
    text += 'F';
    text += std::to_string(key - kVkF1 + 1);
  } else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    text += static_cast<char>(key);
  } else {
    return {};
  }
  return text;
}

std::span<const TMenuEntry> mnuMainEntries() { return kMainMenu; }
std::span<const TMenuEntry> mnuColorDisplayEntries() { return kColorDisplayMenu; }
std::span<const TMenuEntry> mnuCopyCoordEntries() { return kCopyCoordMenu; }

bool OpensSubmenu(std::span<const TMenuEntry> menu, size_t index) {
  return index + 1 < menu.size() && menu[index + 1].Depth > menu[index].Depth;
}

bool IsAvailable(std::span<const TMenuEntry> menu, size_t index) {
  if (index >= menu.size()) return false;
  const TMenuEntry& entry = menu[index];
  if (entry.IsSeparator()) return true;
  if (entry.Hidden) return false;
  if (!OpensSubmenu(menu, index)) return entry.Handler != nullptr;
  for (size_t i = index + 1; i < menu.size() && menu[i].Depth > entry.Depth; ++i) {
    if (!menu[i].IsSeparator() && !OpensSubmenu(menu, i) && IsAvailable(menu, i)) return true;
  }
  return false;
}

size_t IndexOfMenuEntry(std::span<const TMenuEntry> menu, std::string_view name) {
  for (size_t i = 0; i < menu.size(); ++i) {
    if (name == menu[i].Name) return i;
  }
  return menu.size();
}

void InitMenuItems(TMainMenuItems& items) {
  for (const auto menu : {mnuMainEntries(), mnuColorDisplayEntries(), mnuCopyCoordEntries()}) {
    for (const TMenuEntry& entry : menu) {
      if (entry.Item == nullptr) continue;
      (items.*entry.Item).Tag = entry.Tag;
      (items.*entry.Item).Checked = entry.Checked;
    }
  }
}

bool RunMenuEntry(Tfrmmain& frm, std::span<const TMenuEntry> menu, size_t index) {
  if (index >= menu.size() || menu[index].Handler == nullptr) return false;
  // Items nothing else reads still get a sender of their own.
  TMenuItem detached{menu[index].Checked, menu[index].Tag};
  TMenuItem& sender = menu[index].Item != nullptr ? frm.menu.*menu[index].Item : detached;
  if (!sender.Enabled) return false;
  menu[index].Handler(frm, sender);
  return true;
}
