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
