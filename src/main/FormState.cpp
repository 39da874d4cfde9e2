#include "main/FormState.h"

#include <cstdint>
#include <cstdio>

#include "main/OntoMonitor.h"
#include "main/SettingsReading.h"
#include "platform/Monitors.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"
#include "platform/WindowFrame.h"

namespace {

constexpr const char* kFormVersion = "FormVersion";

std::optional<int32_t> Field(const std::vector<std::optional<int32_t>>& fields, size_t index) {
  return index < fields.size() ? fields[index] : std::nullopt;
}

}  // namespace

std::string FourNumbers(int a, int b, int c, int d) {
  char text[48];
  std::snprintf(text, sizeof(text), "%d,%d,%d,%d", a, b, c, d);
  return text;
}

std::vector<std::optional<int32_t>> SplitNumbers(const std::string& text) {
  std::vector<std::optional<int32_t>> fields;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ',' || text[i] == ' ')) ++i;
    if (i == text.size()) break;
    const size_t start = i;
    while (i < text.size() && text[i] != ',' && text[i] != ' ') ++i;
    fields.push_back(ParseStoredInteger(std::string_view(text).substr(start, i - start)));
  }
  return fields;
}

std::string FormState::Name(const std::string& name) const { return JoinStorePath(kAppStoragePath, name); }

std::string FormState::DesktopSuffix() {
  const Rect desktop = roles_.screen.VirtualScreen();
  char text[32];
  std::snprintf(text, sizeof(text), "(%dx%d)", desktop.Width(), desktop.Height());
  return text;
}

void FormState::RestoreFormPlacement() {
  saved_ = false;
  if (ReadInteger(roles_.store, Name(kFormVersion), 0) < kVersion) {
    restored_ = true;
    return;
  }
  RestorePlacement();
  restored_ = true;
  for (const ControlState& prop : StoredProps) {
    const std::string name = Name(prop.Name);
    if (prop.setBool) {
      if (const auto value = ReadStoredBool(roles_.store, name)) prop.setBool(*value);
    } else if (roles_.store.Read(name).kind != StoredValue::Kind::Absent) {
      // An absent value leaves the control as designed; ReadInteger's default never applies then.
      prop.setInteger(ReadInteger(roles_.store, name, prop.getInteger()));
    }
  }
}

void FormState::RestorePlacement() {
  WindowPlacement placement;
  if (!roles_.frame.GetPlacement(window_, placement)) return;
  if (!roles_.frame.IsVisible(window_)) placement.showCommand = kShowHidden;
  if (roles_.store.Read(Name("Flags")).kind != StoredValue::Kind::Absent) {
    placement.flags = static_cast<uint32_t>(ReadInteger(roles_.store, Name("Flags"), 0));
  }
  const std::string suffix = DesktopSuffix();
  const auto readFields = [&](const std::string& base) -> std::optional<std::vector<std::optional<int32_t>>> {
    for (const std::string& name : {base + suffix, base}) {
      const StoredValue value = roles_.store.Read(Name(name));
      if (value.kind == StoredValue::Kind::Text) return SplitNumbers(value.text);
      if (value.kind != StoredValue::Kind::Absent) return std::vector<std::optional<int32_t>>{};
    }
    return std::nullopt;
  };
  bool found = false;
  if (const auto minMax = readFields("MinMaxPos")) {
    found = true;
    placement.minPosition = {Field(*minMax, 0).value_or(0), Field(*minMax, 1).value_or(0)};
    placement.maxPosition = {Field(*minMax, 2).value_or(0), Field(*minMax, 3).value_or(0)};
  }
  if (const auto norm = readFields("NormPos")) {
    found = true;
    const Rect current = placement.normal;
    const int64_t left = Field(*norm, 0).value_or(current.left);
    const int64_t top = Field(*norm, 1).value_or(current.top);
    // Widened: a stored width near the limits must not wrap round into a valid-looking one.
    const int64_t width = Field(*norm, 2).has_value() ? int64_t{*Field(*norm, 2)} - left : current.Width();
    const int64_t height = Field(*norm, 3).has_value() ? int64_t{*Field(*norm, 3)} - top : current.Height();
    const int64_t right = left + width;
    const int64_t bottom = top + height;
    if (!(left < right && top < bottom) || right > INT32_MAX || bottom > INT32_MAX) return;
    placement.normal = {static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                        static_cast<int32_t>(bottom)};
  }
  const int ppi = roles_.screen.PixelsPerInch();
  if (!found || ReadInteger(roles_.store, Name("PixelsPerInch"), ppi) != ppi) return;
  Rect& r = placement.normal;
  if (!(r.left < r.right && r.top < r.bottom)) return;
  if (!roles_.monitors.OnSomeMonitor({r.left, r.top}) || !roles_.monitors.OnSomeMonitor({r.right - 1, r.bottom - 1})) {
    // Saved on a monitor that has gone, or across into a gap: it opens on the monitor nearest
    // to its centre, where it fits whole; a window larger than that takes its first-run place.
    const Point centre{static_cast<int32_t>((int64_t{r.left} + r.right) / 2),
                       static_cast<int32_t>((int64_t{r.top} + r.bottom) / 2)};
    MonitorArea nearest;
    if (!roles_.monitors.Nearest(centre, nearest)) return;
    if (int64_t{r.right} - r.left > nearest.bounds.Width() || int64_t{r.bottom} - r.top > nearest.bounds.Height())
      return;
    r = MoveOntoMonitor(r, nearest.bounds);
  }
  roles_.frame.SetPlacement(window_, placement);
}

bool FormState::SaveFormPlacement() {
  if (!roles_.store.WriteInteger(Name(kFormVersion), kVersion)) return false;
  if (restored_) {
    if (!SavePlacement()) return false;
    for (const ControlState& prop : StoredProps) {
      const std::string name = Name(prop.Name);
      const bool written = prop.getBool ? roles_.store.WriteText(name, prop.getBool() ? "TRUE" : "FALSE")
                                        : roles_.store.WriteInteger(name, prop.getInteger());
      if (!written) return false;
    }
  }
  saved_ = true;
  return true;
}

bool FormState::SavePlacement() {
  WindowPlacement placement;
  if (!roles_.frame.GetPlacement(window_, placement)) return true;
  const std::string suffix = DesktopSuffix();
  const std::string minMax =
      FourNumbers(placement.minPosition.x, placement.minPosition.y, placement.maxPosition.x, placement.maxPosition.y);
  const Rect& r = placement.normal;
  const std::string norm = FourNumbers(r.left, r.top, r.right, r.bottom);
  SettingsStore& store = roles_.store;
  return store.WriteInteger(Name("Flags"), static_cast<int32_t>(placement.flags)) &&
         store.WriteInteger(Name("PixelsPerInch"), roles_.screen.PixelsPerInch()) &&
         store.WriteText(Name("MinMaxPos" + suffix), minMax) && store.WriteText(Name("MinMaxPos"), minMax) &&
         store.WriteText(Name("NormPos" + suffix), norm) && store.WriteText(Name("NormPos"), norm);
}
