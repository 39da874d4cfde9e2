#include "main/MainMenu.h"

#include <array>

#include "main/ZoomSelection.h"
#include "main/fmMagnifier.h"

namespace {

constexpr ShortCut kNone{};

// Bindings of the table's items to the component that acts on them.
template <auto component, auto command>
void Do(Tfrmmain& f, int) {
  ((f.*component).*command)();
}
// A command of a group of items, which reads the item's tag.
template <auto component, auto command>
void DoTag(Tfrmmain& f, int tag) {
  ((f.*component).*command)(tag);
}
template <void (Tfrmmain::*command)()>
void DoForm(Tfrmmain& f, int) {
  (f.*command)();
}
template <auto component, auto choice>
bool Is(const Tfrmmain& f, int) {
  return ((f.*component).*choice)();
}
template <auto component, auto choice>
bool IsNot(const Tfrmmain& f, int) {
  return !((f.*component).*choice)();
}
// The item of a group whose tag is the component's choice.
template <auto component, auto choice>
bool IsTag(const Tfrmmain& f, int tag) {
  return ((f.*component).*choice)() == tag;
}

bool DialogCommandsFree(const Tfrmmain& f) { return f.dialogs.CommandsFree(); }

// The integer levels' tag is their factor; the fractional ones' is their place in the list.
constexpr MenuEntry ZoomItem(const char* name, size_t index) {
  return {name,
          kZoomCaptions[index],
          1,
          kNone,
          static_cast<int>(ZoomLevels[index]),
          DoTag<&Tfrmmain::zoom, &ZoomSelection::Magnify1X1Click>,
          [](const Tfrmmain& f, int factor) { return f.zoom.ShowsFactor(factor); }};
}

constexpr MenuEntry FractionalZoomItem(const char* name, size_t index) {
  return {name,
          kZoomCaptions[index],
          1,
          kNone,
          static_cast<int>(index),
          DoTag<&Tfrmmain::zoom, &ZoomSelection::SelectListedZoom>,
          [](const Tfrmmain& f, int i) { return f.zoom.ShowsFactor(ZoomLevels[static_cast<size_t>(i)]); }};
}

// The tag is the timer interval.
constexpr MenuEntry FrequencyItem(const char* name, const char* caption, int interval, bool hidden = false) {
  return {name,
          caption,
          1,
          kNone,
          interval,
          DoTag<&Tfrmmain::display, &DisplayCommands::N1xpersecond1Click>,
          IsTag<&Tfrmmain::display, &DisplayCommands::Interval>,
          nullptr,
          hidden};
}

constexpr MenuEntry FilterItem(const char* name, const char* caption, TColorFilterMode mode,
                               ShortCut shortcut = kNone) {
  return {name,
          caption,
          1,
          shortcut,
          mode,
          DoTag<&Tfrmmain::display, &DisplayCommands::ColorFilterClick>,
          IsTag<&Tfrmmain::display, &DisplayCommands::ColorFilterIndex>};
}

constexpr MenuEntry SimulationItem(const char* name, const char* caption, VisionDeficiency deficiency) {
  return {name,
          caption,
          1,
          kNone,
          static_cast<int>(deficiency),
          DoTag<&Tfrmmain::colorCheck, &ColorCheck::SimulationClick>,
          [](const Tfrmmain& f, int tag) { return static_cast<int>(f.colorCheck.Simulation().deficiency) == tag; }};
}

constexpr MenuEntry SeverityItem(const char* name, const char* caption, int percent) {
  return {name,
          caption,
          2,
          kNone,
          percent,
          DoTag<&Tfrmmain::colorCheck, &ColorCheck::SeverityClick>,
          IsTag<&Tfrmmain::colorCheck, &ColorCheck::Severity>};
}

constexpr MenuEntry SampleItem(const char* name, const char* caption, int side) {
  return {name,
          caption,
          1,
          kNone,
          side,
          DoTag<&Tfrmmain::colorCheck, &ColorCheck::SampleSizeClick>,
          IsTag<&Tfrmmain::colorCheck, &ColorCheck::SampleSize>};
}

// The tag is the spacing in desktop pixels.
constexpr MenuEntry GridItem(const char* name, const char* caption, int spacing) {
  return {name,
          caption,
          2,
          kNone,
          spacing,
          DoTag<&Tfrmmain::display, &DisplayCommands::N1pixel1Click>,
          IsTag<&Tfrmmain::display, &DisplayCommands::Spacing>};
}

constexpr MenuEntry Submenu(const char* name, const char* caption, int depth = 0) {
  return {name, caption, depth, kNone, 0, nullptr};
}

constexpr MenuEntry Separator(const char* name, int depth = 0) { return {name, "-", depth, kNone, 0, nullptr}; }

const MenuEntry kMainMenu[] = {
    Submenu("ZoomLevel1", "Zoom Level"),
    ZoomItem("Magnify1X1", 0),
    ZoomItem("Magnify2X1", 1),
    ZoomItem("Magnify3X1", 2),
    ZoomItem("Magnify4X1", 3),
    ZoomItem("Magnify5X1", 4),
    ZoomItem("Magnify6X1", 5),
    ZoomItem("Magnify8X1", 6),
    ZoomItem("Magnify10X1", 7),
    ZoomItem("Magnify12X1", 8),
    ZoomItem("Magnify16x1", 9),
    ZoomItem("Magnify20x1", 10),
    ZoomItem("Magnify24x1", 11),
    ZoomItem("Magnify28x1", 12),
    ZoomItem("Magnify32x1", 13),
    ZoomItem("Magnify36x1", 14),
    ZoomItem("Magnify40x1", 15),
    FractionalZoomItem("Magnify075X1", 16),
    FractionalZoomItem("Magnify05X1", 17),
    FractionalZoomItem("Magnify025X1", 18),
    Submenu("UpdateFrequency1", "Update Frequency"),
    FrequencyItem("N5xpersecond1", "5 x per second", 200, true),
    FrequencyItem("N10xpersecond1", "10 x per second : Low", 100, true),
    FrequencyItem("N15xpersecond1", "15 x per second : Low", 66),
    FrequencyItem("N30xpersecond1", "30 x per second : Medium", 33),
    FrequencyItem("N60xpersecond1", "60 x per second : High", 16),
    {"Smoothen1", "Smoothen Display", 0, kNone, 0, Do<&Tfrmmain::display, &DisplayCommands::Smoothen1Click>,
     Is<&Tfrmmain::display, &DisplayCommands::Smoothen>},
    Submenu("ColorFilter1", "Color Filter"),
    FilterItem("CfNone1", "None", cfNone),
    FilterItem("CfGrayscale1", "Grayscale", cfGrayscale),
    FilterItem("CfSepia1", "Sepia", cfSepia),
    FilterItem("CfInvert1", "Invert", cfInvert, CtrlAlt('I')),
    FilterItem("CfProtanopia1", "Protanopia Simulation", cfProtanopia),
    FilterItem("CfDeuteranopia1", "Deuteranopia Simulation", cfDeuteranopia),
    FilterItem("CfTritanopia1", "Tritanopia Simulation", cfTritanopia),
    FilterItem("CfDaltonizeProtanopia1", "Protanopia Correction", cfDaltonizeProtanopia),
    FilterItem("CfDaltonizeDeuteranopia1", "Deuteranopia Correction", cfDaltonizeDeuteranopia),
    FilterItem("CfDaltonizeTritanopia1", "Tritanopia Correction", cfDaltonizeTritanopia),
    Submenu("ColorVision1", "Color Vision Simulation"),
    SimulationItem("CvNone1", "None", VisionDeficiency::None),
    SimulationItem("CvProtan1", "Protanopia / Protanomaly (Machado 2009)", VisionDeficiency::Protan),
    SimulationItem("CvDeutan1", "Deuteranopia / Deuteranomaly (Machado 2009)", VisionDeficiency::Deutan),
    SimulationItem("CvTritan1", "Tritanopia (Brettel 1997)", VisionDeficiency::Tritan),
    Separator("N11", 1),
    Submenu("CvSeverity1", "Severity", 1),
    SeverityItem("CvSeverity10", "10 %", 10),
    SeverityItem("CvSeverity20", "20 %", 20),
    SeverityItem("CvSeverity30", "30 %", 30),
    SeverityItem("CvSeverity40", "40 %", 40),
    SeverityItem("CvSeverity50", "50 %", 50),
    SeverityItem("CvSeverity60", "60 %", 60),
    SeverityItem("CvSeverity70", "70 %", 70),
    SeverityItem("CvSeverity80", "80 %", 80),
    SeverityItem("CvSeverity90", "90 %", 90),
    SeverityItem("CvSeverity100", "100 % (dichromacy)", 100),
    Submenu("FlipScreen1", "Flip Screen"),
    {"FlipHorizontally1", "Flip Horizontally", 1, CtrlAlt('H'), 0,
     Do<&Tfrmmain::display, &DisplayCommands::FlipHorizontally1Click>,
     Is<&Tfrmmain::display, &DisplayCommands::FlipHorizontal>},
    {"FlipVertically1", "Flip Vertically", 1, CtrlAlt('V'), 0,
     Do<&Tfrmmain::display, &DisplayCommands::FlipVertically1Click>,
     Is<&Tfrmmain::display, &DisplayCommands::FlipVertical>},
    Separator("N1"),
    {"Showcursor1", "Show Cursor", 0, kNone, 0, Do<&Tfrmmain::display, &DisplayCommands::Showcursor1Click>,
     Is<&Tfrmmain::display, &DisplayCommands::CursorChosen>},
    {"DrawCrossHair1", "Draw Crosshair", 0, kNone, 0, Do<&Tfrmmain::display, &DisplayCommands::DrawCrossHair1Click>,
     Is<&Tfrmmain::display, &DisplayCommands::DrawCross>},
    // Its check mark is kept by the form state though no command changes it.
    {"DrawGrid1", "Draw Grid", 0, kNone, 0, nullptr, Is<&Tfrmmain::display, &DisplayCommands::DrawGridMark>},
    Submenu("GridSpacing1", "Grid Spacing", 1),
    GridItem("NoGrid1", "No Grid", 0),
    GridItem("N1pixel1", "1 pixel", 1),
    GridItem("N5pixels1", "5 pixels", 5),
    GridItem("N10pixels1", "10 pixels", 10),
    GridItem("N20pixels1", "20 pixels", 20),
    GridItem("N50pixels1", "50 pixels", 50),
    {"DrawFixedGrid1", "Draw Fixed Grid", 1, kNone, 0, Do<&Tfrmmain::display, &DisplayCommands::DrawFixedGrid1Click>,
     Is<&Tfrmmain::display, &DisplayCommands::FixedGrid>},
    Submenu("ColorDisplay1", "Color Display"),
    {"RGBValues1", "RGB Values", 1, kNone, 0, Do<&Tfrmmain::readouts, &StatusReadouts::RGBValues1Click>,
     Is<&Tfrmmain::readouts, &StatusReadouts::ShowsRgbValues>},
    {"HTMLCode1", "HTML Code", 1, kNone, 0, Do<&Tfrmmain::readouts, &StatusReadouts::HTMLCode1Click>,
     IsNot<&Tfrmmain::readouts, &StatusReadouts::ShowsRgbValues>},
    Submenu("SampleSize1", "Sample Size"),
    SampleItem("Sample1x1", "1 x 1", 1),
    SampleItem("Sample3x3", "3 x 3 average", 3),
    SampleItem("Sample5x5", "5 x 5 average", 5),
    Submenu("ContrastCheck1", "Contrast Check"),
    {"PickForegroundColor1", "Pick Foreground Color", 1, CtrlAlt('K'), 0,
     Do<&Tfrmmain::colorCheck, &ColorCheck::PickForegroundColorClick>},
    {"PickBackgroundColor1", "Pick Background Color", 1, CtrlAlt('B'), 0,
     Do<&Tfrmmain::colorCheck, &ColorCheck::PickBackgroundColorClick>},
    {"CopyContrast1", "Copy Contrast Summary", 1, CtrlAlt('R'), 0,
     Do<&Tfrmmain::colorCheck, &ColorCheck::CopyContrastClick>},
    Separator("N2"),
    {"ShowHideTitlebar1", "Show/Hide Title Bar", 0, kNone, 0, Do<&Tfrmmain::chrome, &WindowChrome::ImageView1DblClick>},
    {"ShowPanel1", "Show Panel", 0, kNone, 0, Do<&Tfrmmain::chrome, &WindowChrome::ShowPanel1Click>,
     Is<&Tfrmmain::chrome, &WindowChrome::PanelShown>},
    {"StayOnTop1", "Stay On Top", 0, CtrlAlt(kVkSpace), 0, Do<&Tfrmmain::chrome, &WindowChrome::StayOnTop1Click>,
     Is<&Tfrmmain::chrome, &WindowChrome::StayOnTop>},
    {"MakeWindowTransparent1", "Make Window Transparent", 0, CtrlAlt('T'), 0,
     Do<&Tfrmmain::chrome, &WindowChrome::MakeWindowTransparent1Click>,
     Is<&Tfrmmain::chrome, &WindowChrome::Transparent>},
    {"Setdefaultwindowsize1", "Set Default Window Size (320x480) Top Left", 0, kNone, 0,
     Do<&Tfrmmain::chrome, &WindowChrome::Setdefaultwindowsize1Click>},
    {"FlipwhenHovered1", "Change Position when Hovered Over", 0, CtrlAlt('P'), 0,
     Do<&Tfrmmain::tracking, &Tracking::FlipwhenHovered1Click>, Is<&Tfrmmain::tracking, &Tracking::FlipWhenHovered>},
    Separator("N3"),
    {"FollowCaretPosition1", "Follow Caret Position", 0, kNone, 0, Do<&Tfrmmain::tracking, &Tracking::btnTypeClick>,
     Is<&Tfrmmain::tracking, &Tracking::FollowCaretMark>},
    {"FixedLocation1", "Fixed Location", 0, CtrlAlt('F'), 0, Do<&Tfrmmain::tracking, &Tracking::FixedLocation1Click>,
     Is<&Tfrmmain::tracking, &Tracking::FixedLocation>},
    {"SetVirtualOrigin1", "Set Virtual Origin", 0, CtrlAlt('O'), 0,
     Do<&Tfrmmain::readouts, &StatusReadouts::SetVirtualOrigin1Click>},
    Separator("N4"),
    {"CopyImagetoClipboard1", "Copy Image to Clipboard", 0, CtrlAlt('C'), 0,
     Do<&Tfrmmain::display, &DisplayCommands::CopyImagetoClipboard1Click>},
    Separator("N5"),
    {"Enabled1", "Glimmerlux On/Off", 0, CtrlAlt('E'), 0, Do<&Tfrmmain::display, &DisplayCommands::Enabled1Click>,
     Is<&Tfrmmain::display, &DisplayCommands::SwitchedOn>},
    {"ShowHideProgram1", "Show/Hide Glimmerlux Window", 0, CtrlAlt('G'), 0,
     Do<&Tfrmmain::lifetime, &Lifetime::ShowHideProgram1Click>},
    {"StayinSystemTray1", "Stay in System Tray", 0, kNone, 0,
     Do<&Tfrmmain::lifetime, &Lifetime::StayinSystemTray1Click>, Is<&Tfrmmain::lifetime, &Lifetime::StayInTray>},
    {"RunonStartup1", "Run on Startup", 0, kNone, 0,
     Do<&Tfrmmain::startWithWindows, &StartWithWindows::RunonStartup1Click>,
     Is<&Tfrmmain::startWithWindows, &StartWithWindows::RunsOnStartup>},
    Separator("N6"),
    {"CheckforUpdates1", "Check for Updates...", 0, kNone, 0,
     Do<&Tfrmmain::dialogs, &DialogCommands::CheckforUpdates1Click>, nullptr, DialogCommandsFree},
    {"VisitTarnwellSoftwareWebsite1", "Visit Tarnwell Software Website", 0, kNone, 0,
     Do<&Tfrmmain::dialogs, &DialogCommands::VisitTarnwellSoftwareWebsite1Click>},
    {"ShowHelpfile1",
     "Help Topics",
     0,
     {kVkF1, false, false, false},
     0,
     Do<&Tfrmmain::dialogs, &DialogCommands::ShowHelpfile1Click>},
    {"AboutGlimmerlux1", "About Glimmerlux...", 0, kNone, 0,
     Do<&Tfrmmain::dialogs, &DialogCommands::AboutGlimmerlux1Click>, nullptr, DialogCommandsFree},
    {"Exit1", "Exit", 0, {kVkF4, false, true, false}, 0, DoForm<&Tfrmmain::Exit1Click>},
};

const MenuEntry kColorDisplayMenu[] = {
    {"CopyColortoClipboard2", "Copy Color to Clipboard", 0, kNone, 0,
     Do<&Tfrmmain::readouts, &StatusReadouts::CopyColortoClipboard1Click>},
    Separator("N10"),
    {"mnuRGB", "RGB Values", 0, kNone, 0, Do<&Tfrmmain::readouts, &StatusReadouts::RGBValues1Click>,
     Is<&Tfrmmain::readouts, &StatusReadouts::ShowsRgbValues>},
    {"mnuHTML", "HTML Code", 0, kNone, 0, Do<&Tfrmmain::readouts, &StatusReadouts::HTMLCode1Click>,
     IsNot<&Tfrmmain::readouts, &StatusReadouts::ShowsRgbValues>},
};

const MenuEntry kCopyCoordMenu[] = {
    {"mnuCopyCoord1", "Copy Coordinates to Clipboard", 0, kNone, 0,
     Do<&Tfrmmain::readouts, &StatusReadouts::mnuCopyCoord1Click>},
};

void AppendModifier(std::string& text, bool on, const char* name) {
  if (on) text.append(name).append("+");
}

}  // namespace

std::string ShortCutToText(ShortCut shortcut) {
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

std::span<const MenuEntry> mnuMainEntries() { return kMainMenu; }
std::span<const MenuEntry> mnuColorDisplayEntries() { return kColorDisplayMenu; }
std::span<const MenuEntry> mnuCopyCoordEntries() { return kCopyCoordMenu; }

bool OpensSubmenu(std::span<const MenuEntry> menu, size_t index) {
  return index + 1 < menu.size() && menu[index + 1].Depth > menu[index].Depth;
}

bool IsAvailable(std::span<const MenuEntry> menu, size_t index) {
  if (index >= menu.size()) return false;
  const MenuEntry& entry = menu[index];
  if (entry.IsSeparator()) return true;
  if (entry.Hidden) return false;
  if (!OpensSubmenu(menu, index)) return entry.Run != nullptr;
  for (size_t i = index + 1; i < menu.size() && menu[i].Depth > entry.Depth; ++i) {
    if (!menu[i].IsSeparator() && !OpensSubmenu(menu, i) && IsAvailable(menu, i)) return true;
  }
  return false;
}

size_t IndexOfMenuEntry(std::span<const MenuEntry> menu, std::string_view name) {
  for (size_t i = 0; i < menu.size(); ++i) {
    if (name == menu[i].Name) return i;
  }
  return menu.size();
}

bool IsEntryChecked(const Tfrmmain& frm, const MenuEntry& entry) {
  return entry.Checked != nullptr && entry.Checked(frm, entry.Tag);
}

bool IsEntryEnabled(const Tfrmmain& frm, const MenuEntry& entry) {
  return entry.Enabled == nullptr || entry.Enabled(frm);
}

bool RunMenuEntry(Tfrmmain& frm, std::span<const MenuEntry> menu, size_t index) {
  if (index >= menu.size() || menu[index].Run == nullptr || !IsEntryEnabled(frm, menu[index])) return false;
  menu[index].Run(frm, menu[index].Tag);
  return true;
}
