#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "fake/FormFixture.h"
#include "main/StartWithWindows.h"

namespace {

constexpr const char* kWriteError = "Failed to set data for 'Glimmerlux'";

// The platform alone: the form reads the Run key as it is made, so each test makes its own.
struct StartupFixture : ::testing::Test {
  FakePlatform platform;

  void Choose(Tfrmmain& form) { ChooseMenuItem(form, "RunonStartup1"); }
};

TEST_F(StartupFixture, TheCommandWritesTheQuotedPathWithTheSwitchThenRemovesIt) {
  platform.programFile.path = "C:\\Program Files\\Glimmerlux\\glimmerlux.exe";
  Tfrmmain form(platform);
  EXPECT_FALSE(Checked(form, "RunonStartup1"));

  Choose(form);
  const std::map<std::string, std::string> written{
      {"Glimmerlux", "\"C:\\Program Files\\Glimmerlux\\glimmerlux.exe\" /autostart"}};
  EXPECT_EQ(platform.startup.values, written);
  EXPECT_TRUE(Checked(form, "RunonStartup1"));

  Choose(form);
  EXPECT_TRUE(platform.startup.values.empty());
  EXPECT_FALSE(Checked(form, "RunonStartup1"));
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(StartupFixture, AnEntryForAnotherPathShowsTheMarkAndIsRemovedByTheCommand) {
  platform.startup.values["Glimmerlux"] = "\"D:\\Old\\glimmerlux.exe\" /autostart";
  platform.startup.values["Other"] = "other.exe";
  Tfrmmain form(platform);
  EXPECT_TRUE(Checked(form, "RunonStartup1"));

  Choose(form);
  const std::map<std::string, std::string> left{{"Other", "other.exe"}};
  EXPECT_EQ(platform.startup.values, left);
  EXPECT_FALSE(Checked(form, "RunonStartup1"));
}

TEST_F(StartupFixture, AFailureIsToldAndNeverShownAsACheckMark) {
  {
    platform.startup.writable = false;
    Tfrmmain form(platform);
    Choose(form);
    EXPECT_EQ(platform.messages.shown, std::vector<std::string>{kWriteError});
    EXPECT_FALSE(Checked(form, "RunonStartup1"));
    EXPECT_TRUE(platform.startup.values.empty());
  }
  {
    // A path cut short would start nothing at log-on: nothing is written for it.
    FakePlatform cut;
    cut.programFile.path = std::nullopt;
    Tfrmmain form(cut);
    ASSERT_TRUE(RunMenuEntry(form, mnuMainEntries(), IndexOfMenuEntry(mnuMainEntries(), "RunonStartup1")));
    EXPECT_EQ(cut.messages.shown, std::vector<std::string>{kWriteError});
    EXPECT_FALSE(Checked(form, "RunonStartup1"));
    EXPECT_TRUE(cut.startup.values.empty());
  }
}

TEST(VersionText, MajorDotMinorOfTheFileVersion) {
  const struct {
    std::optional<std::array<uint16_t, 4>> numbers;
    const char* text;
  } cases[] = {
      {std::array<uint16_t, 4>{7, 0, 512, 3}, "7.0"},
      {std::array<uint16_t, 4>{2, 10, 0, 0}, "2.10"},
      {std::array<uint16_t, 4>{3, 1, 200, 7}, "3.1"},
      {std::array<uint16_t, 4>{65535, 65535, 65535, 65535}, "65535.65535"},
      {std::nullopt, ""},
  };
  for (const auto& c : cases) {
    FakeProgramFile file;
    file.version = c.numbers;
    EXPECT_EQ(GetVersionText(file), c.text);
  }
}

TEST_F(StartupFixture, EveryShowTakesTheVersionText) {
  platform.programFile.version = std::array<uint16_t, 4>{7, 0, 512, 3};
  Tfrmmain form(platform);
  form.FormShow();
  EXPECT_EQ(form.version, "7.0");
}

}  // namespace

// The installer's clean-up removes the entry only when it starts the copy being removed.
TEST(RunEntryStartsProgram, MatchesTheQuotedOrBarePathWhateverTheLetterCase) {
  const std::string installed = "C:\\Users\\Ann\\AppData\\Local\\Programs\\Glimmerlux\\glimmerlux.exe";
  struct Case {
    const char* command;
    bool startsIt;
  };
  const Case cases[] = {
      {"\"C:\\Users\\Ann\\AppData\\Local\\Programs\\Glimmerlux\\glimmerlux.exe\" /autostart", true},
      {"\"c:\\users\\ann\\appdata\\local\\programs\\glimmerlux\\GLIMMERLUX.EXE\" /autostart", true},
      {"  \"C:\\Users\\Ann\\AppData\\Local\\Programs\\Glimmerlux\\glimmerlux.exe\"", true},
      {"C:\\Users\\Ann\\AppData\\Local\\Programs\\Glimmerlux\\glimmerlux.exe /autostart", true},
      {"\"D:\\Tools\\glimmerlux.exe\" /autostart", false},
      {"\"C:\\Users\\Ann\\AppData\\Local\\Programs\\Glimmerlux\\glimmerlux.exe.bak\" /autostart", false},
      {"\"C:\\Users\\Ann\\AppData\\Local\\Programs\\Glimmerlux\\glimmerlux.ex\" /autostart", false},
      {"\"C:\\Users\\Ann\\AppData\\Local\\Programs\\Glimmerlux\\glimmerlux.exe /autostart", false},  // unclosed quote
      {"", false},
      {"   ", false},
  };
  for (const Case& c : cases) EXPECT_EQ(RunEntryStartsProgram(c.command, installed), c.startsIt) << c.command;
  EXPECT_FALSE(RunEntryStartsProgram("\"\" /autostart", ""));
}
