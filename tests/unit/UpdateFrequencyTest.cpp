#include <gtest/gtest.h>

#include <string>

#include "fake/FormFixture.h"

namespace {

constexpr WindowId kWindow = 7;

struct FrequencyItem {
  const char* name;
  uint32_t interval;
};

constexpr FrequencyItem kItems[] = {
    {"N5xpersecond1", 200}, {"N10xpersecond1", 100}, {"N15xpersecond1", 66},
    {"N30xpersecond1", 33}, {"N60xpersecond1", 16},
};

// The names of the checked frequency items, space-separated.
std::string CheckedItems(const Tfrmmain& form) {
  std::string names;
  for (const FrequencyItem& f : kItems) {
    if (Checked(form, f.name)) names += std::string(names.empty() ? "" : " ") + f.name;
  }
  return names;
}

class UpdateFrequency : public ::testing::Test, protected FormFixture {
 protected:
  UpdateFrequency() { form.AttachWindow(kWindow); }

  const FakeWindowing::TimerState& PlatformTimer() { return platform.windows.timers[{kWindow, kTimer1Id}]; }
};

TEST_F(UpdateFrequency, StartsAtFifteenASecondWithOnlyThatItemChecked) {
  EXPECT_EQ(form.Timer1.Interval(), 66u);
  EXPECT_EQ(CheckedItems(form), "N15xpersecond1");
}

TEST_F(UpdateFrequency, EachItemSetsTheTimerAndChecksOnlyItself) {
  for (const FrequencyItem& f : kItems) {
    SCOPED_TRACE(f.name);
    Choose(f.name);
    EXPECT_EQ(form.Timer1.Interval(), f.interval);
    EXPECT_TRUE(form.Timer1.Enabled());
    EXPECT_EQ(CheckedItems(form), f.name);
    EXPECT_TRUE(PlatformTimer().running);
    EXPECT_EQ(PlatformTimer().interval, f.interval) << "the running timer kept its old rate";
  }
}

TEST_F(UpdateFrequency, AStoppedMagnifierStaysStopped) {
  form.Timer1.SetEnabled(false);
  Choose("N60xpersecond1");
  EXPECT_FALSE(form.Timer1.Enabled());
  EXPECT_FALSE(PlatformTimer().running);
  EXPECT_EQ(form.Timer1.Interval(), 16u);
  EXPECT_EQ(CheckedItems(form), "N60xpersecond1");

  form.Timer1.SetEnabled(true);
  EXPECT_TRUE(PlatformTimer().running);
  EXPECT_EQ(PlatformTimer().interval, 16u);
}

TEST_F(UpdateFrequency, AnIntervalNoItemOffersLeavesAllUnchecked) {
  Choose("N30xpersecond1");
  form.Timer1.SetInterval(50);
  EXPECT_EQ(CheckedItems(form), "");
}

TEST_F(UpdateFrequency, ANegativeTagStopsTheTicksInsteadOfWrapping) {
  form.display.N1xpersecond1Click(-5);
  EXPECT_EQ(form.Timer1.Interval(), 0u);
  EXPECT_FALSE(PlatformTimer().running);
  EXPECT_EQ(CheckedItems(form), "");
}

}  // namespace
