#include "main/SettingsReading.h"

#include <cctype>
#include <limits>
#include <vector>

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

}  // namespace

std::string JoinStorePath(std::string_view path, std::string_view name) {
  std::vector<std::string_view> segments;
  const auto add = [&](std::string_view text) {
    size_t start = 0;
    while (start <= text.size()) {
      const size_t end = std::min(text.find('\\', start), text.size());
      const std::string_view segment = text.substr(start, end - start);
      if (segment == "..") {
        if (!segments.empty()) segments.pop_back();
      } else if (!segment.empty() && segment != ".") {
        segments.push_back(segment);
      }
      start = end + 1;
    }
  };
  add(path);
  add(name);
  std::string joined;
  for (const std::string_view segment : segments) {
    if (!joined.empty()) joined += '\\';
    joined += segment;
  }
  return joined;
}

std::optional<int32_t> ParseStoredInteger(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    const auto digit = static_cast<uint64_t>(text[i] - '0');
    if (magnitude > (std::numeric_limits<uint64_t>::max() - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  const uint64_t bits = negative ? ~magnitude + 1 : magnitude;
  return static_cast<int32_t>(static_cast<uint32_t>(bits & 0xFFFFFFFFu));
}

int32_t ReadInteger(SettingsStore& store, const std::string& name, int32_t fallback) {
  const StoredValue value = store.Read(name);
  switch (value.kind) {
    case StoredValue::Kind::Dword:
    case StoredValue::Kind::Qword:
      return static_cast<int32_t>(static_cast<uint32_t>(value.number & 0xFFFFFFFFu));
    case StoredValue::Kind::Text:
      return ParseStoredInteger(value.text).value_or(fallback);
    default:
      return fallback;
  }
}

std::string ReadString(SettingsStore& store, const std::string& name, const std::string& fallback) {
  StoredValue value = store.Read(name);
  return value.kind == StoredValue::Kind::Text ? std::move(value.text) : fallback;
}

std::optional<bool> ReadStoredBool(SettingsStore& store, const std::string& name) {
  const StoredValue value = store.Read(name);
  if (value.kind != StoredValue::Kind::Text) return std::nullopt;
  for (const char* yes : {"TRUE", "YES", "Y"}) {
    if (SameLetters(value.text, yes)) return true;
  }
  for (const char* no : {"FALSE", "NO", "N"}) {
    if (SameLetters(value.text, no)) return false;
  }
  if (const auto number = ParseStoredInteger(value.text)) return *number != 0;
  return std::nullopt;
}
