#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/VersionFile.h"

namespace {

TEST(ExtractContent, ReadsFromTwoPastTheMarkerToTheNextQuote) {
  const std::string longValue(254, 'a');
  const struct {
    std::string line;
    std::string value;
  } cases[] = {
      {R"(Version CONTENT="5.3")", "5.3"},
      {R"(<meta name="Version" content="5.3">)", "5.3"},  // the marker in any letter case
      {R"(Version CoNtEnT="5.3" and "more")", "5.3"},
      {R"(whatsnew1 CONTENT="Faster zoom, fewer flickers")", "Faster zoom, fewer flickers"},
      {R"(Version CONTENT=)", ""},
      {R"(Version CONTENT="")", ""},
      {R"(Version CONTENT='5.3')", ""},     // single quotes: no double quote follows
      {R"(Version CONTENT="5.3)", ""},      // unterminated
      {R"(Version CONTENT=x5.3")", "5.3"},  // whatever follows "=" is skipped as the quote
      // Without the marker the value starts at the ninth character.
      {R"(12345678abc"def)", "abc"},
      {R"(1234567)", ""},
      // The closing quote must lie within 255 characters of the value's start.
      {"CONTENT=\"" + longValue + "\"", longValue},
      {"CONTENT=\"" + longValue + "a\"", ""},
      // Characters, not bytes: é takes two bytes but is one character.
      {"\xC3\xA9 CONTENT=\"5.3\"", "5.3"},
      {"CONTENT=\xC3\xA9"
       "caf\xC3\xA9\"",
       "caf\xC3\xA9"},
      {"12345678\xC3\xA9\"", "\xC3\xA9"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractContent(c.line), c.value) << c.line;
}

TEST(FindContentValue, TheLastLineWithTheKeyWins) {
  const std::vector<std::string> file = {
      R"(<html>)",
      R"(Version CONTENT="5.3")",
      R"(whatsnew1 CONTENT="Sharper text")",
      R"(whatsnew2 CONTENT="A new Version of the grid")",
  };
  EXPECT_EQ(FindContentValue(file, "whatsnew1"), "Sharper text");
  // The news line names "Version" too and comes later.
  EXPECT_EQ(FindContentValue(file, "Version"), "A new Version of the grid");
  EXPECT_EQ(FindContentValue(file, "version"), "");  // the key is case-sensitive
  EXPECT_EQ(FindContentValue(file, "whatsnew3"), "");
  // A later match replaces an earlier one even when its value is empty.
  EXPECT_EQ(FindContentValue({R"(Version CONTENT="5.3")", R"(Version CONTENT='5.4')"}, "Version"), "");
}

TEST(SplitLines, BreaksAtCrLfCrAndLf) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\n\r"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(VersionNumbers, MajorBeforeTheFirstPointMinorAfterIt) {
  const struct {
    const char* text;
    int32_t major;
    int32_t minor;
  } cases[] = {
      {"5.2", 5, 2},
      {"5.10", 5, 10},
      {"5", 0, 5},
      {"5.2.1", 5, 0},
      {".7", 0, 7},
      {"5.", 5, 0},
      {"-1.3", -1, 3},
      {"+6.+1", 6, 1},
      {"x.y", 0, 0},
      {"", 0, 0},
      {"5 .2", 0, 2},
      {"99999999999.1", 0, 1},
      {"2147483647.0", 2147483647, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetMajorVersion(c.text), c.major) << c.text;
    EXPECT_EQ(GetMinorVersion(c.text), c.minor) << c.text;
  }
}

TEST(VersionNumbers, OnlyDigitsPointDigitsIsAVersion) {
  for (const char* good : {"5.2", "0.0", "10.15", "123456789.987654321"}) EXPECT_TRUE(IsVersionText(good)) << good;
  for (const char* bad :
       {"", "5", "5.", ".5", "5.2.1", "5.x", "v5.2", "5 .2", "-1.3", "+5.2", "5,2", "<html>", "1234567890.1"}) {
    EXPECT_FALSE(IsVersionText(bad)) << bad;
  }
}

TEST(CompareVersions, NumbersNotText) {
  const struct {
    const char* remote;
    const char* local;
    UpdateOutcome outcome;
  } cases[] = {
      {"5.3", "5.2", UpdateOutcome::MinorUpgrade},  {"6.0", "5.9", UpdateOutcome::MajorUpgrade},
      {"5.2", "5.2", UpdateOutcome::UpToDate},      {"4.9", "5.0", UpdateOutcome::UpToDate},
      {"5.10", "5.9", UpdateOutcome::MinorUpgrade}, {"5.9", "5.10", UpdateOutcome::UpToDate},
      {"5", "0.4", UpdateOutcome::MinorUpgrade},    {"10.0", "9.99", UpdateOutcome::MajorUpgrade},
  };
  for (const auto& c : cases) EXPECT_EQ(CompareVersions(c.remote, c.local), c.outcome) << c.remote << " vs " << c.local;
}

TEST(ReadVersionFile, TheVersionAndFourNewsLines) {
  const auto file = ReadVersionFile(
      "<html><head>\r\n"
      "<meta name=\"Version\" content=\"5.3\">\r\n"
      "<meta name=\"whatsnew1\" content=\"Sharper text\">\r\n"
      "<meta name=\"whatsnew3\" content=\"Fewer flickers\">\r\n"
      "</head></html>\r\n");
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->Remote, "5.3");
  EXPECT_EQ(file->News, (std::array<std::string, 4>{"Sharper text", "", "Fewer flickers", ""}));
}

// Whatever is not a version reads as "incorrect data found": an error page or a captive
// portal must never pass for an up-to-date answer.
TEST(ReadVersionFile, NoUsableVersionIsNoFile) {
  for (const char* text : {
           "",
           "<html><body><h1>404 Not Found</h1></body></html>",
           "Version CONTENT='5.3'",
           "Version CONTENT=\"\"",
           "Version CONTENT=\"5.x\"",
           "Version CONTENT=\"Sign in to the hotel network\"",
           "Version CONTENT=\"5\"",
           "version CONTENT=\"5.3\"",
       }) {
    EXPECT_FALSE(ReadVersionFile(text).has_value()) << text;
  }
}

}  // namespace
