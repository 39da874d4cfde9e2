#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, ArgumentsAreSplitAtBlanksAndQuotesKeepBlanksInside) {
  const struct {
    const char* line;
    Arguments arguments;
  } cases[] = {
      {"", {}},
      {"glimmerlux.exe", {"glimmerlux.exe"}},
      {"  a\tb   c ", {"a", "b", "c"}},
      {R"("C:\Program Files\Glimmerlux\glimmerlux.exe" /autostart)",
       {R"(C:\Program Files\Glimmerlux\glimmerlux.exe)", "/autostart"}},
      {R"(x "/transparent: 120")", {"x", "/transparent: 120"}},
      {R"(x /trans"parent:"99)", {"x", "/transparent:99"}},
      {R"(x "unclosed quote)", {"x", "unclosed quote"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitArguments(c.line), c.arguments) << c.line;
}

TEST(CommandLine, IntegersInDecimalOrHexadecimalWithNothingAfter) {
  const struct {
    const char* text;
    std::optional<int32_t> value;
  } cases[] = {
      {"120", 120},
      {"0", 0},
      {"-5", -5},
      {"+7", 7},
      {"   42", 42},
      {"$FF", 255},
      {"$ff", 255},
      {"xFF", 255},
      {"XfF", 255},
      {"0x1F", 31},
      {"0X1f", 31},
      {"-$10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$7FFFFFFF", 2147483647},
      {"$FFFFFFFF", -1},
      {"$000000000FF", 255},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"$100000000", std::nullopt},
      {"", std::nullopt},
      {" ", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"5x", std::nullopt},
      {"12 ", std::nullopt},
      {"1.5", std::nullopt},
      {"$FG", std::nullopt},
      {"--1", std::nullopt},
      {"0x-1", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(CommandLine, SwitchesMatchWholeArgumentsInAnyLetterCase) {
  const struct {
    Arguments arguments;
    StartupSwitches expected;
  } cases[] = {
      {{"glimmerlux.exe"}, {}},
      {{"p", "/autostart"}, {false, true, false, -1}},
      {{"p", "/AUTOSTART"}, {false, true, false, -1}},
      {{"p", "/AutoStart"}, {false, true, false, -1}},
      {{"p", "/autostart2"}, {}},
      {{"p", "autostart"}, {}},
      {{"p", "-autostart"}, {}},
      {{"p", "/allowclose"}, {true, false, false, -1}},
      {{"p", "/NoTray"}, {false, false, true, -1}},
      // The scan only records; what "/notray" does to the others happens later.
      {{"p", "/notray", "/autostart"}, {false, true, true, -1}},
      {{"p", "/Transparent:120"}, {false, false, false, 120}},
      {{"p", "/transparent:0"}, {false, false, false, 0}},
      {{"p", "/transparent:-5"}, {false, false, false, -5}},
      {{"p", "/transparent:300"}, {false, false, false, 300}},
      {{"p", "/TRANSPARENT:$FF"}, {false, false, false, 255}},
      {{"p", "/transparent:10", "/transparent:20"}, {false, false, false, 20}},
      {{"p", "/transparent", "/transparent=5"}, {}},
      // Argument 0 is looked at too, though a path never matches.
      {{"/allowclose"}, {true, false, false, -1}},
  };
  for (const auto& c : cases) {
    const CommandLineScan scan = ScanCommandLine(c.arguments);
    EXPECT_FALSE(scan.invalidInteger.has_value());
    EXPECT_EQ(scan.switches, c.expected) << c.arguments.back();
  }
}

TEST(CommandLine, ATransparencyThatIsNoIntegerStopsTheStart) {
  const struct {
    Arguments arguments;
    const char* offending;
  } cases[] = {
      {{"p", "/transparent:"}, ""},
      {{"p", "/transparent:5x"}, "5x"},
      {{"p", "/TRANSPARENT:Abc"}, "Abc"},
      {{"p", "/transparent:5x", "/transparent:7"}, "5x"},
      {{"p", "/transparent:7", "/transparent:$"}, "$"},
  };
  for (const auto& c : cases) {
    const CommandLineScan scan = ScanCommandLine(c.arguments);
    EXPECT_EQ(scan.invalidInteger, c.offending) << c.arguments.back();
  }
  EXPECT_EQ(InvalidIntegerMessage("5x"), "'5x' is not a valid integer value");
}

}  // namespace

namespace {

// Whatever a shortcut, a script or another program hands over: long, foreign, badly quoted,
// repeated. Each line is split and scanned as the program start does.
TEST(CommandLineBadInput, LongForeignOddlyQuotedAndRepeatedLinesScanAsTheRulesSay) {
  std::string manySwitches = "g";
  for (int i = 0; i < 5000; ++i) manySwitches += " /notray /AutoStart /transparent:" + std::to_string(i);
  std::string longArgument = "g /allowclose \"" + std::string(100000, 'x') + "\"";
  const struct {
    std::string line;
    StartupSwitches expected;
    std::optional<std::string> invalid;
  } cases[] = {
      {manySwitches, {false, true, true, 4999}, std::nullopt},
      {longArgument, {true, false, false, -1}, std::nullopt},
      {"g /transparent:" + std::string(5000, '0') + "7", {false, false, false, 7}, std::nullopt},
      {"g /transparent:" + std::string(40, '9'), {}, std::string(40, '9')},
      // Letters outside ASCII are never lower-cased into a switch, nor mistaken for digits.
      {"g /ALLOWCLOSE\xC4\xB0 /autostart\xE2\x84\xA2 /\xEF\xBC\xAEOTRAY", {}, std::nullopt},
      {"g \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 /notray", {false, false, true, -1}, std::nullopt},
      {"g /transparent:\xEF\xBC\x95", {}, "\xEF\xBC\x95"},  // a full-width five
      {"g /transparent:12\xC2\xA0", {}, "12\xC2\xA0"},      // a no-break space after it
      // Quotes open and close anywhere and vanish; an unclosed one runs to the end.
      {"g \"\"/autostart\"\"", {false, true, false, -1}, std::nullopt},
      {"g \"/auto\"start", {false, true, false, -1}, std::nullopt},
      {"g /notray\"", {false, false, true, -1}, std::nullopt},
      {"g \"\"\"", {}, std::nullopt},
      {"g \"/notray /autostart", {}, std::nullopt},
      {"g /transparent:\"1 2\"", {}, "1 2"},
      {"g \"/transparent: 42\"", {false, false, false, 42}, std::nullopt},
      // Control characters and a NUL inside an argument are just characters.
      {std::string("g /notray\0 /autostart", 21), {false, true, false, -1}, std::nullopt},
      {"g\r\n/notray", {}, std::nullopt},
      // A valid value after an invalid one is never reached; the invalid one stops the start.
      {"g /transparent:80 /transparent:oops /transparent:90", {false, false, false, 80}, "oops"},
  };
  for (const auto& c : cases) {
    const CommandLineScan scan = ScanCommandLine(SplitArguments(c.line));
    EXPECT_EQ(scan.invalidInteger, c.invalid) << c.line.substr(0, 80);
    if (!c.invalid) {
      EXPECT_EQ(scan.switches, c.expected) << c.line.substr(0, 80);
    }
  }
}

}  // namespace
