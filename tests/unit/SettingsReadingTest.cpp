#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "fake/FakeSettingsStore.h"
#include "main/SettingsReading.h"

namespace {

using Kind = StoredValue::Kind;

StoredValue Dword(uint32_t n) { return {Kind::Dword, n, {}}; }
StoredValue Qword(uint64_t n) { return {Kind::Qword, n, {}}; }
StoredValue Text(std::string t) { return {Kind::Text, 0, std::move(t)}; }
const StoredValue kAbsent{};
const StoredValue kBinary{Kind::Other, 0, {}};

TEST(JoinStorePath, DropsEmptyAndDotSegmentsAndBacksUpOnTwoDots) {
  const struct {
    const char* path;
    const char* name;
    const char* joined;
  } cases[] = {
      {"..\\", "NormPos", "NormPos"},  // the form state's own path: the key itself
      {"", "NormPos", "NormPos"},     {".", "NormPos", "NormPos"}, {"a\\b", "c", "a\\b\\c"}, {"a\\b", "..\\c", "a\\c"},
      {"a\\.\\b\\", "c", "a\\b\\c"},  {"a\\\\b", "c", "a\\b\\c"},  {"a", "..\\..\\c", "c"},  {"..\\..", "c", "c"},
      {"x\\..\\..\\y", "z", "y\\z"},  {"a\\b", "..", "a"},         {"a", "..", ""},          {"", "", ""},
      {"...", "c", "...\\c"},  // three dots are a name
      {"a\\..b", "c", "a\\..b\\c"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JoinStorePath(c.path, c.name), c.joined) << '"' << c.path << "\" + \"" << c.name << '"';
  }
}

TEST(ReadInteger, LowThirtyTwoBitsOfNumbersAndNumericTextElseTheDefault) {
  const struct {
    const char* what;
    StoredValue stored;
    int32_t read;
  } cases[] = {
      {"absent", kAbsent, 99},
      {"DWORD", Dword(5), 5},
      {"DWORD all bits set", Dword(0xFFFFFFFFu), -1},
      {"DWORD top bit", Dword(0x80000000u), INT_MIN},
      {"DWORD largest", Dword(0x7FFFFFFFu), INT_MAX},
      {"QWORD above 32 bits", Qword(0x100000005ull), 5},
      {"QWORD -2", Qword(0xFFFFFFFFFFFFFFFEull), -2},
      {"QWORD low half 0x80000001", Qword(0x80000001ull), -2147483647},
      {"text", Text("33"), 33},
      {"negative text", Text("-7"), -7},
      {"plus sign", Text("+4"), 4},
      {"leading zeros", Text("007"), 7},
      {"2^32 + 5", Text("4294967301"), 5},
      {"smallest", Text("-2147483648"), INT_MIN},
      {"2^31", Text("2147483648"), INT_MIN},
      {"2^64 - 1", Text("18446744073709551615"), -1},
      {"2^64, beyond 64 bits", Text("18446744073709551616"), 99},
      {"empty text", Text(""), 99},
      {"sign alone", Text("-"), 99},
      {"plus alone", Text("+"), 99},
      {"two signs", Text("--5"), 99},
      {"trailing letter", Text("12a"), 99},
      {"fraction", Text("1.5"), 99},
      {"hexadecimal", Text("0x10"), 99},
      {"words", Text("abc"), 99},
      {"binary", kBinary, 99},
  };
  for (const auto& c : cases) {
    FakeSettingsStore store;
    store.Put("v", c.stored);
    EXPECT_EQ(ReadInteger(store, "v", 99), c.read) << c.what;
  }
}

TEST(ReadString, OnlyATextIsAText) {
  const struct {
    const char* what;
    StoredValue stored;
    const char* read;
  } cases[] = {
      {"absent", kAbsent, "dflt"},      {"text", Text("abc"), "abc"}, {"empty text", Text(""), ""},
      {"DWORD", Dword(1), "dflt"},      {"QWORD", Qword(1), "dflt"},  {"binary", kBinary, "dflt"},
      {"numeric text", Text("7"), "7"},
  };
  for (const auto& c : cases) {
    FakeSettingsStore store;
    store.Put("v", c.stored);
    EXPECT_EQ(ReadString(store, "v", "dflt"), c.read) << c.what;
  }
}

TEST(ReadStoredBool, WordsInAnyCaseThenNumbersElseNothing) {
  const struct {
    StoredValue stored;
    std::optional<bool> read;
  } cases[] = {
      {Text("TRUE"), true},        {Text("True"), true},
      {Text("true"), true},        {Text("yes"), true},
      {Text("YES"), true},         {Text("Y"), true},
      {Text("y"), true},           {Text("FALSE"), false},
      {Text("False"), false},      {Text("false"), false},
      {Text("No"), false},         {Text("N"), false},
      {Text("n"), false},          {Text("0"), false},
      {Text("+0"), false},         {Text("00"), false},
      {Text("1"), true},           {Text("12"), true},
      {Text("-3"), true},          {Text("maybe"), std::nullopt},
      {Text(""), std::nullopt},    {Text("yess"), std::nullopt},
      {Text("T"), std::nullopt},   {Text("on"), std::nullopt},
      {Text("1.0"), std::nullopt}, {Dword(1), std::nullopt},
      {Dword(0), std::nullopt},    {Qword(1), std::nullopt},
      {kBinary, std::nullopt},     {kAbsent, std::nullopt},
  };
  for (const auto& c : cases) {
    FakeSettingsStore store;
    store.Put("v", c.stored);
    EXPECT_EQ(ReadStoredBool(store, "v"), c.read)
        << "kind " << static_cast<int>(c.stored.kind) << " \"" << c.stored.text << '"';
  }
}

TEST(BoolToText, TheMainWindowsOwnSpelling) {
  EXPECT_STREQ(BoolToText(true), "True");
  EXPECT_STREQ(BoolToText(false), "False");
}

}  // namespace
