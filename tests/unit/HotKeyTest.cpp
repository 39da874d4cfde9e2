#include <gtest/gtest.h>

#include "fake/FormFixture.h"

namespace {

constexpr WindowId kFirstWindow = 100;
constexpr WindowId kSecondWindow = 200;
constexpr uint32_t kCtrlAlt = 3;
constexpr uint32_t kLetterG = 0x47;

struct Instance : FormFixture {
  explicit Instance(WindowId window, Instance* first = nullptr) {
    if (first != nullptr) platform.hotKeys.system = first->platform.hotKeys.system;
    Create(window);
  }
};

TEST(HotKey, CtrlAltGGoesToTheWindowUnderTheHotKey1Atom) {
  Instance program(kFirstWindow);
  EXPECT_EQ(program.platform.hotKeys.OwnerOf(kCtrlAlt, kLetterG), kFirstWindow);
  EXPECT_EQ(program.form.hotKey.HotKeyID, 0xC000u) << "the first atom the table hands out";
  EXPECT_EQ(program.platform.hotKeys.References("HotKey1"), 1);

  program.form.WMHotKey();
  EXPECT_TRUE(program.platform.app.states[kFirstWindow].minimized);
  program.form.WMHotKey();
  EXPECT_FALSE(program.platform.app.states[kFirstWindow].minimized);
  EXPECT_FALSE(program.platform.settings.Has("FormVersion")) << "the hot key saves nothing";
}

TEST(HotKey, OfTwoInstancesOnlyTheFirstGetsTheKeysAndTheSecondRunsWithout) {
  Instance first(kFirstWindow);
  Instance second(kSecondWindow, &first);
  EXPECT_EQ(second.form.hotKey.HotKeyID, first.form.hotKey.HotKeyID) << "one atom, referenced twice";
  EXPECT_EQ(first.platform.hotKeys.References("HotKey1"), 2);
  EXPECT_EQ(second.platform.hotKeys.OwnerOf(kCtrlAlt, kLetterG), kFirstWindow);
  EXPECT_TRUE(second.platform.messages.shown.empty()) << "the failure is silent";

  // The second one ending takes nothing from the first.
  second.form.FormDestroy();
  EXPECT_EQ(first.platform.hotKeys.OwnerOf(kCtrlAlt, kLetterG), kFirstWindow);
  EXPECT_EQ(first.platform.hotKeys.References("HotKey1"), 1);
}

TEST(HotKey, AfterTheProgramEndsTheKeysAndTheAtomAreFree) {
  Instance program(kFirstWindow);
  program.form.FormDestroy();
  EXPECT_FALSE(program.platform.hotKeys.OwnerOf(kCtrlAlt, kLetterG).has_value());
  EXPECT_EQ(program.platform.hotKeys.References("HotKey1"), 0);
  program.form.FormDestroy();
  EXPECT_EQ(program.platform.hotKeys.References("HotKey1"), 0) << "released once only";
}

TEST(HotKey, WithoutAnAtomTheProgramRunsWithoutTheKeys) {
  FakePlatform platform;
  platform.hotKeys.atomTableFull = true;
  Tfrmmain form{platform};
  form.AttachWindow(kFirstWindow);
  form.FormCreate();
  EXPECT_EQ(form.hotKey.HotKeyID, 0u);
  EXPECT_FALSE(platform.hotKeys.OwnerOf(kCtrlAlt, kLetterG).has_value());
}

}  // namespace
