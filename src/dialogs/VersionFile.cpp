#include "dialogs/VersionFile.h"

#include <charconv>
#include <limits>

namespace {

constexpr size_t kValueWindow = 255;

// One character of UTF-8 text: where it starts and how many bytes it takes. Stray bytes are
// characters of their own, so any input splits somewhere.
size_t CharLength(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 1;
  if (lead >= 0xF0 && lead < 0xF8)
    length = 4;
  else if (lead >= 0xE0)
    length = lead < 0xF0 ? 3 : 1;
  else if (lead >= 0xC0)
    length = 2;
  if (at + length > text.size()) return 1;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

// The byte offsets at which each character starts, and the text's end.
std::vector<size_t> CharStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t at = 0; at < text.size(); at += CharLength(text, at)) starts.push_back(at);
  starts.push_back(text.size());
  return starts;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

size_t FindMarker(std::string_view line) {
  constexpr std::string_view kMarker = "CONTENT=";
  if (line.size() < kMarker.size()) return std::string_view::npos;
  for (size_t at = 0; at + kMarker.size() <= line.size(); ++at) {
    size_t i = 0;
    while (i < kMarker.size() && AsciiUpper(line[at + i]) == kMarker[i]) ++i;
    if (i == kMarker.size()) return at;
  }
  return std::string_view::npos;
}

// A signed decimal integer filling the whole text, else 0.
int32_t IntegerOrZero(std::string_view text) {
  const bool plus = !text.empty() && text.front() == '+';
  if (plus) text.remove_prefix(1);
  if (text.empty() || (plus && text.front() == '-')) return 0;
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r' && text[at] != '\n') continue;
    lines.emplace_back(text.substr(start, at - start));
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
    start = at + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string ExtractContent(std::string_view line) {
  const std::vector<size_t> starts = CharStarts(line);
  const size_t chars = starts.size() - 1;
  // Past "CONTENT=" and the opening quote; without the marker, the ninth character.
  size_t first = 8;
  if (const size_t markerByte = FindMarker(line); markerByte != std::string_view::npos) {
    size_t marker = 0;
    while (starts[marker] < markerByte) ++marker;
    first = marker + 9;
  }
  if (first >= chars) return {};
  const size_t last = std::min(chars, first + kValueWindow);
  for (size_t i = first; i < last; ++i) {
    if (line[starts[i]] == '"') return std::string(line.substr(starts[first], starts[i] - starts[first]));
  }
  return {};
}

std::string FindContentValue(const std::vector<std::string>& lines, std::string_view key) {
  std::string value;
  for (const std::string& line : lines) {
    if (line.find(key) != std::string::npos) value = ExtractContent(line);
  }
  return value;
}

int32_t GetMajorVersion(std::string_view version) {
  const size_t dot = version.find('.');
  if (dot == std::string_view::npos) return 0;
  return IntegerOrZero(version.substr(0, dot));
}

int32_t GetMinorVersion(std::string_view version) {
  const size_t dot = version.find('.');
  return IntegerOrZero(dot == std::string_view::npos ? version : version.substr(dot + 1));
}

bool IsVersionText(std::string_view version) {
  const size_t dot = version.find('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view major = version.substr(0, dot);
  const std::string_view minor = version.substr(dot + 1);
  // Numbers that fit: a part too long to parse would otherwise read as 0 and compare wrongly.
  constexpr size_t kMaxDigits = std::numeric_limits<int32_t>::digits10;
  return AllDigits(major) && AllDigits(minor) && major.size() <= kMaxDigits && minor.size() <= kMaxDigits;
}

UpdateOutcome CompareVersions(std::string_view remote, std::string_view local) {
  const int32_t remoteMajor = GetMajorVersion(remote);
  const int32_t localMajor = GetMajorVersion(local);
  if (remoteMajor > localMajor) return UpdateOutcome::MajorUpgrade;
  if (remoteMajor == localMajor && GetMinorVersion(remote) > GetMinorVersion(local)) {
    return UpdateOutcome::MinorUpgrade;
  }
  return UpdateOutcome::UpToDate;
}

std::optional<VersionFile> ReadVersionFile(std::string_view text) {
  const std::vector<std::string> lines = SplitLines(text);
  VersionFile file;
  file.Remote = FindContentValue(lines, "Version");
  if (!IsVersionText(file.Remote)) return std::nullopt;
  for (size_t i = 0; i < file.News.size(); ++i) {
    file.News[i] = FindContentValue(lines, "whatsnew" + std::to_string(i + 1));
  }
  return file;
}
