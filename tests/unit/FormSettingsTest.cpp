#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fake/FormFixture.h"
#include "fake/StoredValueBuilders.h"

namespace {

constexpr const char* kKeyError = "Unable to create key 'Software\\Tarnwell\\Glimmerlux'";

// One run of the program over the platform's store.
struct Session : FormFixture {
  // `start`: restore the form state, then show, as the window does when it is first shown.
  explicit Session(FakePlatform& p, bool start = true) : FormFixture(p) {
    form.AttachWindow(kMainWindow);
    if (start) RestoreAndShow();
  }
  std::string CheckedFilter() {
    return CheckedAmong(
        form, {"CfNone1", "CfGrayscale1", "CfSepia1", "CfInvert1", "CfProtanopia1", "CfDeuteranopia1", "CfTritanopia1",
               "CfDaltonizeProtanopia1", "CfDaltonizeDeuteranopia1", "CfDaltonizeTritanopia1"});
  }
  std::string CheckedSpacing() {
    return CheckedAmong(form, {"NoGrid1", "N1pixel1", "N5pixels1", "N10pixels1", "N20pixels1", "N50pixels1"});
  }
  std::string CheckedFrequency() {
    return CheckedAmong(form,
                        {"N5xpersecond1", "N10xpersecond1", "N15xpersecond1", "N30xpersecond1", "N60xpersecond1"});
  }
  // The close that the window allows: its own values first, then the form state.
  void Close() {
    form.WriteSettings();
    form.SaveFormState();
  }
};

// A control state no command changes, set as the form state's restore sets it.
void SetStoredFlag(Tfrmmain& f, std::string_view name, bool on) {
  for (const ControlState& prop : f.JvFormStorage1.StoredProps) {
    if (name == prop.Name) return prop.setBool(on);
  }
  ADD_FAILURE() << "no control state " << name;
}

// The form state's control list as the window's form defines it: value name, first-run value
// (Booleans as 0 and 1) and where the state lives.
const struct Prop {
  const char* name;
  int initial;
  int (*get)(Tfrmmain&);
  bool integer = false;
  bool IsBoolean() const { return !integer; }
} kProps[] = {
    {"cbxZoomLevel_ItemIndex", 1, [](Tfrmmain& f) { return f.panel.cbxZoomLevel.ItemIndex; }, true},
    {"Panel1_Visible", 1, [](Tfrmmain& f) { return int{f.panel.Panel1.Visible}; }},
    {"DrawCrossHair1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "DrawCrossHair1")}; }},
    {"RGBValues1_Checked", 1, [](Tfrmmain& f) { return int{Checked(f, "RGBValues1")}; }},
    {"Showcursor1_Checked", 1, [](Tfrmmain& f) { return int{Checked(f, "Showcursor1")}; }},
    {"Timer1_Interval", 66, [](Tfrmmain& f) { return static_cast<int>(f.Timer1.Interval()); }, true},
    {"StayOnTop1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "StayOnTop1")}; }},
    {"Smoothen1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "Smoothen1")}; }},
    {"DrawGrid1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "DrawGrid1")}; }},
    {"FixedLocation1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "FixedLocation1")}; }},
    {"MakeWindowTransparent1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "MakeWindowTransparent1")}; }},
    {"StayinSystemTray1_Checked", 1, [](Tfrmmain& f) { return int{Checked(f, "StayinSystemTray1")}; }},
    {"DrawFixedGrid1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "DrawFixedGrid1")}; }},
    {"btnType_Down", 0, [](Tfrmmain& f) { return int{f.panel.btnType.Down}; }},
    {"FollowCaretPosition1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "FollowCaretPosition1")}; }},
    {"FlipwhenHovered1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "FlipwhenHovered1")}; }},
    {"FlipVertically1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "FlipVertically1")}; }},
    {"FlipHorizontally1_Checked", 0, [](Tfrmmain& f) { return int{Checked(f, "FlipHorizontally1")}; }},
};

std::map<std::string, int> Props(Tfrmmain& f) {
  std::map<std::string, int> props;
  for (const Prop& p : kProps) props[p.name] = p.get(f);
  return props;
}

std::map<std::string, int> InitialProps() {
  std::map<std::string, int> props;
  for (const Prop& p : kProps) props[p.name] = p.initial;
  return props;
}

// Everything a stored value can reach after the start-up, first-run values as initialisers.
struct State {
  int filter = 0;
  std::string filterItem = "CfNone1";
  int memX = 0;
  int memY = 0;
  int grid = 0;
  std::string spacingItem = "NoGrid1";
  bool title = false;
  float zoom = 2;
  int zoomTag = 1;
  std::string frequencyItem = "N15xpersecond1";
  std::map<std::string, int> props = InitialProps();
  Rect normal{700, 400, 1176, 711};  // the fake window's own placement
  friend bool operator==(const State&, const State&) = default;
};

void PrintTo(const State& s, std::ostream* os) {
  *os << "filter " << s.filter << " [" << s.filterItem << "], mem (" << s.memX << ',' << s.memY << "), grid " << s.grid
      << " [" << s.spacingItem << "], title " << s.title << ", zoom " << s.zoom << " tag " << s.zoomTag
      << ", frequency [" << s.frequencyItem << "], normal (" << s.normal.left << ',' << s.normal.top << ")-("
      << s.normal.right << ',' << s.normal.bottom << ")\n";
  for (const auto& [name, value] : s.props) *os << "  " << name << " = " << value << '\n';
}

State Observe(Session& run) {
  Tfrmmain& f = run.form;
  TImageView& view = f.imageview1();
  State s;
  s.filter = view.ColorFilterMode();
  s.filterItem = run.CheckedFilter();
  s.memX = f.tracking.memX;
  s.memY = f.tracking.memY;
  s.grid = view.Gridlevel();
  s.spacingItem = run.CheckedSpacing();
  s.title = f.chrome.TitleShown();
  s.zoom = view.Zoom();
  s.zoomTag = f.zoom.RecordedIndex();
  s.frequencyItem = run.CheckedFrequency();
  s.props = Props(f);
  s.normal = run.platform.frame.placement.normal;
  return s;
}

void ExpectStored(FakeSettingsStore& store, const std::string& name, const StoredValue& expected,
                  const std::string& context = {}) {
  const StoredValue stored = store.Read(name);
  EXPECT_EQ(stored.kind, expected.kind) << name << ' ' << context;
  EXPECT_EQ(stored.number, expected.number) << name << ' ' << context;
  EXPECT_EQ(stored.text, expected.text) << name << ' ' << context;
}

// A fake desktop costs far more to build than a form: the rows of a table share one, each
// starting from an empty store and an untouched window.
void Reset(FakePlatform& p) {
  p.settings = FakeSettingsStore{};
  p.frame = FakeWindowFrame{};
  p.messages.shown.clear();
  p.screen.pointer = {0, 0};
}

// ---- The window's own values ----

TEST(WriteSettings, FifteenValuesInOrderWithTheirKinds) {
  FakePlatform platform;
  Session run(platform);
  run.Choose("CfDaltonizeDeuteranopia1");
  run.Choose("DrawCrossHair1");
  SetStoredFlag(run.form, "DrawGrid1_Checked", true);  // no command changes it
  run.Choose("ShowPanel1");
  run.Choose("MakeWindowTransparent1");
  run.Choose("Showcursor1");
  run.Choose("ShowHideTitlebar1");
  run.Choose("HTMLCode1");
  run.Choose("Smoothen1");
  run.Choose("Magnify05X1");
  run.Choose("N30xpersecond1");
  platform.screen.pointer = {-1200, 360};
  run.Choose("FixedLocation1");
  run.Choose("N20pixels1");

  platform.settings.written.clear();
  run.form.WriteSettings();
  const Values expected = {
      {"ColorFilterMode", Dword(8)},
      {"DrawCrossHair1_Checked", Text("True")},
      {"DrawGrid1_Checked", Text("True")},
      {"Panel1_Visible", Text("False")},
      {"MakeWindowTransparent1_Checked", Text("True")},
      {"ShowCursor1_Checked", Text("False")},
      {"ShowTitlebar", Text("True")},
      {"Stayontop1_Checked", Text("False")},
      {"RGBValues1_Checked", Text("False")},
      {"Smoothen1_Checked", Text("True")},
      {"Combobox1_Itemindex", Dword(17)},
      {"Timer1_Interval", Dword(33)},
      {"memX", Dword(0xFFFFFB50u)},  // -1200
      {"memY", Dword(360)},
      {"Pixlevel", Dword(20)},
  };
  ASSERT_EQ(platform.settings.written.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(platform.settings.written[i], expected[i].first) << "value " << i;
    ExpectStored(platform.settings, expected[i].first, expected[i].second);
  }
  EXPECT_TRUE(platform.messages.shown.empty());
}

TEST(WriteSettings, AStoreThatCannotBeWrittenIsToldOncePerWriteAndChangesNothingInMemory) {
  FakePlatform platform;
  Session run(platform);
  run.Choose("N10pixels1");
  platform.settings.writable = false;
  const State before = Observe(run);

  run.form.WriteSettings();
  EXPECT_EQ(platform.messages.shown, std::vector<std::string>{kKeyError});
  run.form.WriteSettings();
  EXPECT_EQ(platform.messages.shown.size(), 2u);
  EXPECT_EQ(Observe(run), before);

  // A command that writes has taken effect before its write fails.
  run.Choose("Smoothen1");
  EXPECT_EQ(platform.messages.shown.size(), 3u);
  EXPECT_TRUE(Checked(run.form, "Smoothen1"));
  EXPECT_TRUE(run.form.imageview1().Smoothen());

  // The form state alike; a run that never saved tries again as the window goes.
  run.form.SaveFormState();
  EXPECT_EQ(platform.messages.shown.size(), 4u);
  EXPECT_EQ(platform.messages.shown.back(), kKeyError);
  EXPECT_FALSE(run.form.JvFormStorage1.Saved());
  run.form.FormDestroy();
  EXPECT_EQ(platform.messages.shown.size(), 5u);

  platform.settings.writable = true;
  run.form.FormDestroy();
  EXPECT_EQ(platform.messages.shown.size(), 5u);
  ExpectStored(platform.settings, "Smoothen1_Checked", Text("TRUE"));
}

TEST(FormShowReads, ColorFilterWithItsLegacyFallback) {
  const struct {
    const char* what;
    Values stored;
    int filter;
    const char* item;
  } cases[] = {
      {"7", {{"ColorFilterMode", Dword(7)}}, 7, "CfDaltonizeProtanopia1"},
      {"9, the last", {{"ColorFilterMode", Dword(9)}}, 9, "CfDaltonizeTritanopia1"},
      {"12 is out of range", {{"ColorFilterMode", Dword(12)}}, 0, "CfNone1"},
      {"-5 is out of range", {{"ColorFilterMode", Dword(0xFFFFFFFBu)}}, 0, "CfNone1"},
      {"numeric text", {{"ColorFilterMode", Text("7")}}, 7, "CfDaltonizeProtanopia1"},
      {"low bits of a QWORD", {{"ColorFilterMode", Qword(0x100000002ull)}}, 2, "CfSepia1"},
      {"absent, legacy True", {{"InvertImage1_Checked", Text("True")}}, 3, "CfInvert1"},
      {"stored -1, legacy True",
       {{"ColorFilterMode", Dword(0xFFFFFFFFu)}, {"InvertImage1_Checked", Text("True")}},
       3,
       "CfInvert1"},
      {"not a number, legacy True",
       {{"ColorFilterMode", Text("abc")}, {"InvertImage1_Checked", Text("True")}},
       3,
       "CfInvert1"},
      {"absent, legacy true", {{"InvertImage1_Checked", Text("true")}}, 0, "CfNone1"},
      {"absent, legacy TRUE", {{"InvertImage1_Checked", Text("TRUE")}}, 0, "CfNone1"},
      {"absent, legacy as a DWORD", {{"InvertImage1_Checked", Dword(1)}}, 0, "CfNone1"},
      {"0 leaves the legacy value unread",
       {{"ColorFilterMode", Dword(0)}, {"InvertImage1_Checked", Text("True")}},
       0,
       "CfNone1"},
      {"2 over a legacy True", {{"ColorFilterMode", Dword(2)}, {"InvertImage1_Checked", Text("True")}}, 2, "CfSepia1"},
      {"nothing", {}, 0, "CfNone1"},
  };
  FakePlatform platform;
  for (const auto& c : cases) {
    Reset(platform);
    for (const auto& [name, value] : c.stored) platform.settings.Put(name, value);
    Session run(platform);
    EXPECT_EQ(run.form.imageview1().ColorFilterMode(), c.filter) << c.what;
    EXPECT_EQ(run.CheckedFilter(), c.item) << c.what;
  }
}

TEST(FormShowReads, TitleBarOnlyForExactlyTrue) {
  const struct {
    std::optional<StoredValue> stored;
    bool shown;
  } cases[] = {
      {std::nullopt, false}, {Text("True"), true}, {Text("TRUE"), false},
      {Text("true"), false}, {Text("yes"), false}, {Dword(1), false},
  };
  FakePlatform platform;
  for (const auto& c : cases) {
    Reset(platform);
    if (c.stored) platform.settings.Put("ShowTitlebar", *c.stored);
    Session run(platform);
    const std::string what =
        c.stored ? "\"" + c.stored->text + "\" kind " + std::to_string(int(c.stored->kind)) : "absent";
    EXPECT_EQ(run.form.chrome.TitleShown(), c.shown) << what;
    EXPECT_EQ(platform.frame.styles[kMainWindow] & kTitleBarStyles, c.shown ? kTitleBarStyles : 0u) << what;
  }
}

TEST(FormShowReads, GridSpacingChecksOnlyAnOfferedSpacing) {
  const struct {
    const char* name;
    std::optional<StoredValue> stored;
    int grid;
    const char* item;
  } cases[] = {
      {"pixlevel", std::nullopt, 0, "NoGrid1"},  {"pixlevel", Dword(7), 7, ""},
      {"pixlevel", Dword(1), 1, "N1pixel1"},     {"pixlevel", Dword(10), 10, "N10pixels1"},
      {"Pixlevel", Dword(50), 50, "N50pixels1"}, {"pixlevel", Text("20"), 20, "N20pixels1"},
      {"pixlevel", Dword(0xFFFFFFFFu), -1, ""},
  };
  FakePlatform platform;
  for (const auto& c : cases) {
    Reset(platform);
    if (c.stored) platform.settings.Put(c.name, *c.stored);
    Session run(platform);
    EXPECT_EQ(run.form.display.pixlevel, c.grid) << c.grid;
    EXPECT_EQ(run.form.imageview1().Gridlevel(), c.grid);
    EXPECT_EQ(run.CheckedSpacing(), c.item) << c.grid;
  }
}

TEST(FormShowReads, TickIntervalOutsideSixteenToAThousandGivesSixtySix) {
  const struct {
    const char* what;
    std::optional<StoredValue> stored;
    uint32_t interval;
    const char* item;
  } cases[] = {
      {"absent", std::nullopt, 66, "N15xpersecond1"},
      {"text 33", Text("33"), 33, "N30xpersecond1"},
      {"16", Dword(16), 16, "N60xpersecond1"},
      {"15", Dword(15), 66, "N15xpersecond1"},
      {"1", Dword(1), 66, "N15xpersecond1"},
      {"0", Dword(0), 66, "N15xpersecond1"},
      {"-5", Dword(0xFFFFFFFBu), 66, "N15xpersecond1"},
      {"50", Dword(50), 50, ""},
      {"200", Dword(200), 200, "N5xpersecond1"},
      {"1000", Dword(1000), 1000, ""},
      {"1001", Dword(1001), 66, "N15xpersecond1"},
      {"not a number", Text("abc"), 66, "N15xpersecond1"},
  };
  FakePlatform platform;
  for (const auto& c : cases) {
    Reset(platform);
    if (c.stored) platform.settings.Put("Timer1_Interval", *c.stored);
    Session run(platform);
    EXPECT_EQ(run.form.Timer1.Interval(), c.interval) << c.what;
    EXPECT_EQ(run.CheckedFrequency(), c.item) << c.what;
  }
}

// ---- The form state's control list ----

TEST(FormStateRestore, FirstRunKeepsTheFormsOwnValues) {
  FakePlatform platform;
  Session run(platform, false);
  run.form.RestoreFormState();
  EXPECT_EQ(Props(run.form), InitialProps());
}

TEST(FormStateRestore, EachStoredStateLandsOnItsOwnControl) {
  FakePlatform platform;
  for (const Prop& p : kProps) {
    Reset(platform);
    // Integers as numbers; a Boolean as a word its form default is not.
    struct Sample {
      StoredValue stored;
      int restored;
    };
    const std::string name = p.name;
    const Sample sample = name == "cbxZoomLevel_ItemIndex" ? Sample{Dword(7), 7}
                          : name == "Timer1_Interval"      ? Sample{Dword(100), 100}
                          : p.initial == 0                 ? Sample{Text("yes"), 1}
                                                           : Sample{Text("0"), 0};
    platform.settings.Put(p.name, sample.stored);
    Session run(platform, false);
    run.form.RestoreFormState();
    std::map<std::string, int> expected = InitialProps();
    expected[p.name] = sample.restored;
    EXPECT_EQ(Props(run.form), expected) << p.name;
  }
}

TEST(FormStateRestore, ABooleanThatIsNoWordOrNumberLeavesTheControlAsDesigned) {
  FakePlatform platform;
  for (const Prop& p : kProps) {
    if (!p.IsBoolean()) continue;
    Reset(platform);
    platform.settings.Put(p.name, Text("maybe"));
    Session run(platform, false);
    run.form.RestoreFormState();
    EXPECT_EQ(Props(run.form), InitialProps()) << p.name;
  }
}

TEST(FormStateRestore, AZoomIndexOutsideTheListLeavesNoSelectionAndZoomOne) {
  FakePlatform platform;
  for (const uint32_t index : {25u, 19u, 0xFFFFFFFBu}) {
    Reset(platform);
    platform.settings.Put("cbxZoomLevel_ItemIndex", Dword(index));
    Session run(platform);
    EXPECT_EQ(run.form.panel.cbxZoomLevel.ItemIndex, -1) << index;
    EXPECT_EQ(run.form.imageview1().Zoom(), 1.0f) << index;
    EXPECT_EQ(run.form.zoom.RecordedIndex(), -1) << index;
    // No selection is what both writers store, not the stored number.
    run.Close();
    ExpectStored(platform.settings, "cbxZoomLevel_ItemIndex", Dword(0xFFFFFFFFu));
    ExpectStored(platform.settings, "Combobox1_Itemindex", Dword(0xFFFFFFFFu));
  }
}

TEST(FormStateSave, VersionPlacementAndEveryControlInListOrder) {
  FakePlatform platform;
  Session run(platform);
  Tfrmmain& f = run.form;
  f.panel.cbxZoomLevel.ItemIndex = 5;
  f.panel.Panel1.Visible = false;
  SetChecked(f, "DrawCrossHair1", true);
  Choose(f, "HTMLCode1");
  f.Timer1.SetInterval(200);
  SetChecked(f, "StayOnTop1", true);
  SetStoredFlag(f, "DrawGrid1_Checked", true);
  SetChecked(f, "MakeWindowTransparent1", true);
  SetChecked(f, "StayinSystemTray1", false);
  SetChecked(f, "DrawFixedGrid1", true);
  f.panel.btnType.Down = true;
  SetChecked(f, "FlipwhenHovered1", true);
  SetChecked(f, "FlipHorizontally1", true);

  platform.settings.written.clear();
  f.SaveFormState();
  const Values expected = {
      {"FormVersion", Dword(0)},
      {"Flags", Dword(0)},
      {"PixelsPerInch", Dword(96)},
      {"MinMaxPos(1920x1080)", Text("-1,-1,-1,-1")},
      {"MinMaxPos", Text("-1,-1,-1,-1")},
      {"NormPos(1920x1080)", Text("700,400,1176,711")},
      {"NormPos", Text("700,400,1176,711")},
      {"cbxZoomLevel_ItemIndex", Dword(5)},
      {"Panel1_Visible", Text("FALSE")},
      {"DrawCrossHair1_Checked", Text("TRUE")},
      {"RGBValues1_Checked", Text("FALSE")},
      {"Showcursor1_Checked", Text("TRUE")},
      {"Timer1_Interval", Dword(200)},
      {"StayOnTop1_Checked", Text("TRUE")},
      {"Smoothen1_Checked", Text("FALSE")},
      {"DrawGrid1_Checked", Text("TRUE")},
      {"FixedLocation1_Checked", Text("FALSE")},
      {"MakeWindowTransparent1_Checked", Text("TRUE")},
      {"StayinSystemTray1_Checked", Text("FALSE")},
      {"DrawFixedGrid1_Checked", Text("TRUE")},
      {"btnType_Down", Text("TRUE")},
      {"FollowCaretPosition1_Checked", Text("FALSE")},
      {"FlipwhenHovered1_Checked", Text("TRUE")},
      {"FlipVertically1_Checked", Text("FALSE")},
      {"FlipHorizontally1_Checked", Text("TRUE")},
  };
  ASSERT_EQ(platform.settings.written.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(platform.settings.written[i], expected[i].first) << "value " << i;
    ExpectStored(platform.settings, expected[i].first, expected[i].second);
  }
}

TEST(FormStateRestore, RunsOnceAndNotAtAllBelowVersionZero) {
  {
    FakePlatform platform;
    platform.settings.Put("Smoothen1_Checked", Text("TRUE"));
    Session run(platform);
    EXPECT_TRUE(Checked(run.form, "Smoothen1"));
    SetChecked(run.form, "Smoothen1", false);
    run.form.RestoreFormState();
    run.form.FormShow();
    EXPECT_FALSE(Checked(run.form, "Smoothen1")) << "a second show restores nothing";
  }
  const struct {
    const char* what;
    StoredValue version;
    bool restores;
  } cases[] = {
      {"-1", Dword(0xFFFFFFFFu), false},
      {"-1 as text", Text("-1"), false},
      {"1, newer than the form", Dword(1), true},
      {"not a number reads 0", Text("abc"), true},
  };
  FakePlatform platform;
  for (const auto& c : cases) {
    Reset(platform);
    platform.settings.Put("FormVersion", c.version);
    platform.settings.Put("Smoothen1_Checked", Text("TRUE"));
    platform.settings.Put("NormPos", Text("100,200,600,500"));
    Session run(platform);
    EXPECT_EQ(Checked(run.form, "Smoothen1"), c.restores) << c.what;
    EXPECT_EQ(platform.frame.placementsSet.size(), c.restores ? 1u : 0u) << c.what;
    EXPECT_TRUE(run.form.JvFormStorage1.Restored()) << c.what << ": the restore counts as run";
    // It does not run again, whatever the store says now.
    platform.settings.Put("FormVersion", Dword(0));
    run.form.RestoreFormState();
    EXPECT_EQ(Checked(run.form, "Smoothen1"), c.restores) << c.what;
  }
}

TEST(FormStateSave, DestructionSavesOnlyWhenNothingWasSavedSinceTheRestore) {
  const size_t kEverything = 25;  // version, six placement values, eighteen controls
  {
    FakePlatform platform;
    Session run(platform);
    run.form.FormDestroy();
    EXPECT_EQ(platform.settings.written.size(), kEverything);
    platform.settings.written.clear();
    run.form.FormDestroy();
    EXPECT_TRUE(platform.settings.written.empty()) << "saved once, the flag stays";
  }
  {
    FakePlatform platform;
    Session run(platform);
    run.form.SaveFormState();
    SetChecked(run.form, "Smoothen1", true);
    platform.settings.written.clear();
    run.form.FormDestroy();
    EXPECT_TRUE(platform.settings.written.empty());
  }
  {
    FakePlatform platform;
    Session run(platform, false);
    run.form.FormDestroy();
    EXPECT_EQ(platform.settings.written, std::vector<std::string>{"FormVersion"}) << "never restored";
  }
}

// ---- Both writers together ----

TEST(StoredSettings, AKeyWithOnlyTheWindowsOwnValuesRestoresTheSharedStates) {
  FakePlatform platform;
  {
    Session first(platform);
    first.Choose("DrawCrossHair1");
    SetStoredFlag(first.form, "DrawGrid1_Checked", true);
    first.Choose("ShowPanel1");
    first.Choose("MakeWindowTransparent1");
    first.Choose("Showcursor1");
    first.Choose("StayOnTop1");
    first.Choose("HTMLCode1");
    first.Choose("Smoothen1");  // each command wrote the window's values; the form state was never saved
    first.Choose("N30xpersecond1");
  }
  ASSERT_FALSE(platform.settings.Has("FormVersion"));
  Session next(platform);
  std::map<std::string, int> expected = InitialProps();
  expected["DrawCrossHair1_Checked"] = 1;
  expected["DrawGrid1_Checked"] = 1;
  expected["Panel1_Visible"] = 0;
  expected["MakeWindowTransparent1_Checked"] = 1;
  expected["Showcursor1_Checked"] = 0;
  expected["StayOnTop1_Checked"] = 1;
  expected["RGBValues1_Checked"] = 0;
  expected["Smoothen1_Checked"] = 1;
  expected["Timer1_Interval"] = 33;
  EXPECT_EQ(Props(next.form), expected);
}

// A key as version 1.0.0 wrote it, every option away from its default: what each value means
// was chosen before that run, so it holds against any later owner of the options.
TEST(StoredSettings, AKeyWrittenByVersionOneComesBackWhole) {
  const Values key = {
      {"ColorFilterMode", Dword(0)},
      {"DrawCrossHair1_Checked", Text("TRUE")},
      {"DrawGrid1_Checked", Text("TRUE")},
      {"Panel1_Visible", Text("FALSE")},
      {"MakeWindowTransparent1_Checked", Text("TRUE")},
      {"Showcursor1_Checked", Text("FALSE")},
      {"ShowTitlebar", Text("True")},
      {"StayOnTop1_Checked", Text("TRUE")},
      {"RGBValues1_Checked", Text("FALSE")},
      {"Smoothen1_Checked", Text("TRUE")},
      {"Combobox1_Itemindex", Dword(8)},
      {"Timer1_Interval", Dword(33)},
      {"memX", Dword(4294966096)},
      {"memY", Dword(360)},
      {"Pixlevel", Dword(20)},
      {"VisionSimulation", Dword(2)},
      {"VisionSeverity", Dword(60)},
      {"SampleSize", Dword(5)},
      {"FormVersion", Dword(0)},
      {"Flags", Dword(0)},
      {"PixelsPerInch", Dword(96)},
      {"MinMaxPos(1920x1080)", Text("-1,-1,-1,-1")},
      {"MinMaxPos", Text("-1,-1,-1,-1")},
      {"NormPos(1920x1080)", Text("200,100,700,500")},
      {"NormPos", Text("200,100,700,500")},
      {"cbxZoomLevel_ItemIndex", Dword(8)},
      {"FixedLocation1_Checked", Text("TRUE")},
      {"StayinSystemTray1_Checked", Text("FALSE")},
      {"DrawFixedGrid1_Checked", Text("TRUE")},
      {"btnType_Down", Text("TRUE")},
      {"FollowCaretPosition1_Checked", Text("TRUE")},
      {"FlipwhenHovered1_Checked", Text("TRUE")},
      {"FlipVertically1_Checked", Text("TRUE")},
      {"FlipHorizontally1_Checked", Text("TRUE")},
  };
  FakePlatform platform;
  for (const auto& [name, value] : key) platform.settings.Put(name, value);
  platform.frame.visible = true;
  Session run(platform);
  Tfrmmain& f = run.form;
  TImageView& view = f.imageview1();

  EXPECT_EQ(view.Zoom(), 12.0f);
  EXPECT_EQ(f.panel.cbxZoomLevel.ItemIndex, 8);
  EXPECT_EQ(f.Timer1.Interval(), 33u);
  EXPECT_EQ(run.CheckedFrequency(), "N30xpersecond1");
  EXPECT_EQ(view.ColorFilterMode(), cfNone);
  EXPECT_EQ(view.VisionSimulation().deficiency, VisionDeficiency::Deutan);
  EXPECT_EQ(view.VisionSimulation().severity, 60);
  EXPECT_EQ(view.SampleSize(), 5);
  EXPECT_EQ(view.Gridlevel(), 20);
  EXPECT_EQ(run.CheckedSpacing(), "N20pixels1");
  EXPECT_TRUE(view.Smoothen() && view.FlipHorizontal() && view.FlipVertical() && view.DrawCross() && view.FixedGrid());
  EXPECT_FALSE(view.ShowCursor());
  EXPECT_EQ(CheckedAmong(f, {"Smoothen1", "FlipHorizontally1", "FlipVertically1", "Showcursor1", "DrawCrossHair1",
                             "DrawGrid1", "DrawFixedGrid1", "RGBValues1", "HTMLCode1", "ShowPanel1", "StayOnTop1",
                             "MakeWindowTransparent1", "FlipwhenHovered1", "FollowCaretPosition1", "FixedLocation1",
                             "StayinSystemTray1", "CvDeutan1", "CvSeverity60", "Sample5x5"}),
            "Smoothen1 FlipHorizontally1 FlipVertically1 DrawCrossHair1 DrawGrid1 DrawFixedGrid1 HTMLCode1 StayOnTop1 "
            "MakeWindowTransparent1 FlipwhenHovered1 FollowCaretPosition1 FixedLocation1 CvDeutan1 CvSeverity60 "
            "Sample5x5");
  EXPECT_TRUE(f.chrome.TitleShown());
  EXPECT_FALSE(f.panel.Panel1.Visible);
  ASSERT_FALSE(platform.frame.topmostCalls.empty());
  EXPECT_TRUE(platform.frame.topmostCalls.back().topmost);
  EXPECT_EQ(platform.frame.opacity[kMainWindow], 160);
  EXPECT_TRUE(f.panel.btnType.Down);
  EXPECT_TRUE(f.tracking.followkey);
  EXPECT_EQ(f.tracking.memX, -1200);
  EXPECT_EQ(f.tracking.memY, 360);
  EXPECT_TRUE(f.lifetime.AllowClose);
  EXPECT_EQ(platform.frame.placement.normal, (Rect{200, 100, 700, 500}));
}

TEST(StoredSettings, EveryOptionComesBackAtTheNextStart) {
  FakePlatform platform;
  {
    Session first(platform);
    first.Choose("CfTritanopia1");
    first.Choose("FlipHorizontally1");
    first.Choose("FlipVertically1");
    first.Choose("N5pixels1");
    first.Choose("DrawFixedGrid1");
    first.Choose("DrawCrossHair1");
    first.Choose("Showcursor1");
    first.Choose("Smoothen1");
    first.Choose("ShowPanel1");
    first.Choose("StayOnTop1");
    first.Choose("MakeWindowTransparent1");
    first.Choose("HTMLCode1");
    first.Choose("Magnify12X1");
    first.Choose("N30xpersecond1");
    first.Choose("FlipwhenHovered1");
    // These write nothing themselves; the close writes them.
    first.Choose("FollowCaretPosition1");
    platform.screen.pointer = {1500, 800};
    first.Choose("FixedLocation1");
    first.Choose("ShowHideTitlebar1");
    SetChecked(first.form, "StayinSystemTray1", false);
    SetStoredFlag(first.form, "DrawGrid1_Checked", true);
    platform.frame.placement.normal = {200, 100, 700, 500};  // moved by the user
    first.Close();
  }
  platform.frame.styles.clear();
  platform.frame.opacity.clear();
  platform.frame.topmostCalls.clear();

  Session next(platform);
  State expected;
  expected.filter = cfTritanopia;
  expected.filterItem = "CfTritanopia1";
  expected.memX = 1500;
  expected.memY = 800;
  expected.grid = 5;
  expected.spacingItem = "N5pixels1";
  expected.title = true;
  expected.zoom = 12;
  expected.zoomTag = 8;
  expected.frequencyItem = "N30xpersecond1";
  expected.props = {
      {"cbxZoomLevel_ItemIndex", 8},
      {"Panel1_Visible", 0},
      {"DrawCrossHair1_Checked", 1},
      {"RGBValues1_Checked", 0},
      {"Showcursor1_Checked", 0},
      {"Timer1_Interval", 33},
      {"StayOnTop1_Checked", 1},
      {"Smoothen1_Checked", 1},
      {"DrawGrid1_Checked", 1},
      {"FixedLocation1_Checked", 1},
      {"MakeWindowTransparent1_Checked", 1},
      {"StayinSystemTray1_Checked", 0},
      {"DrawFixedGrid1_Checked", 1},
      {"btnType_Down", 1},
      {"FollowCaretPosition1_Checked", 1},
      {"FlipwhenHovered1_Checked", 1},
      {"FlipVertically1_Checked", 1},
      {"FlipHorizontally1_Checked", 1},
  };
  expected.normal = {200, 100, 700, 500};
  EXPECT_EQ(Observe(next), expected);

  // And each reaches the view and the window.
  Tfrmmain& f = next.form;
  TImageView& view = f.imageview1();
  EXPECT_TRUE(view.FlipHorizontal());
  EXPECT_TRUE(view.FlipVertical());
  EXPECT_TRUE(view.FixedGrid());
  EXPECT_TRUE(view.DrawCross());
  EXPECT_FALSE(view.ShowCursor());
  EXPECT_TRUE(view.Smoothen());
  EXPECT_FALSE(view.Getcolor());
  EXPECT_FALSE(Checked(f, "ShowPanel1"));
  EXPECT_TRUE(Checked(f, "HTMLCode1"));
  EXPECT_FALSE(Checked(f, "mnuRGB"));
  EXPECT_TRUE(Checked(f, "mnuHTML"));
  EXPECT_TRUE(f.tracking.followkey);
  ASSERT_FALSE(platform.frame.topmostCalls.empty());
  EXPECT_TRUE(platform.frame.topmostCalls.back().topmost);
  EXPECT_EQ(platform.frame.opacity[kMainWindow], 160);
  EXPECT_EQ(platform.frame.styles[kMainWindow] & kTitleBarStyles, kTitleBarStyles);
}

TEST(StoredSettings, WhatNoCommandWroteSurvivesTheClose) {
  FakePlatform platform;
  {
    Session first(platform);
    first.Choose("N10pixels1");
    first.Choose("NoGrid1");
    platform.screen.pointer = {321, 654};
    first.Choose("FixedLocation1");
    first.Choose("ShowHideTitlebar1");
    ExpectStored(platform.settings, "Pixlevel", Dword(10), "before the close");
    first.Close();
  }
  Session next(platform);
  EXPECT_EQ(next.form.display.pixlevel, 0);
  EXPECT_EQ(next.CheckedSpacing(), "NoGrid1");
  EXPECT_EQ(next.form.tracking.memX, 321);
  EXPECT_EQ(next.form.tracking.memY, 654);
  EXPECT_TRUE(next.form.chrome.TitleShown());
}

// ---- Bad data ----

// The store after the first close of a first run (placement of the fake window, 96 pixels per
// inch, a 1920 x 1080 desktop); the form state writes the shared Booleans last.
Values FirstCloseStore() {
  return {
      {"ColorFilterMode", Dword(0)},
      {"DrawCrossHair1_Checked", Text("FALSE")},
      {"DrawGrid1_Checked", Text("FALSE")},
      {"Panel1_Visible", Text("TRUE")},
      {"MakeWindowTransparent1_Checked", Text("FALSE")},
      {"ShowCursor1_Checked", Text("TRUE")},
      {"ShowTitlebar", Text("False")},
      {"Stayontop1_Checked", Text("FALSE")},
      {"RGBValues1_Checked", Text("TRUE")},
      {"Smoothen1_Checked", Text("FALSE")},
      {"Combobox1_Itemindex", Dword(1)},
      {"Timer1_Interval", Dword(66)},
      {"memX", Dword(0)},
      {"memY", Dword(0)},
      {"Pixlevel", Dword(0)},
      {"FormVersion", Dword(0)},
      {"Flags", Dword(0)},
      {"PixelsPerInch", Dword(96)},
      {"MinMaxPos(1920x1080)", Text("-1,-1,-1,-1")},
      {"MinMaxPos", Text("-1,-1,-1,-1")},
      {"NormPos(1920x1080)", Text("700,400,1176,711")},
      {"NormPos", Text("700,400,1176,711")},
      {"cbxZoomLevel_ItemIndex", Dword(1)},
      {"FixedLocation1_Checked", Text("FALSE")},
      {"StayinSystemTray1_Checked", Text("TRUE")},
      {"DrawFixedGrid1_Checked", Text("FALSE")},
      {"btnType_Down", Text("FALSE")},
      {"FollowCaretPosition1_Checked", Text("FALSE")},
      {"FlipwhenHovered1_Checked", Text("FALSE")},
      {"FlipVertically1_Checked", Text("FALSE")},
      {"FlipHorizontally1_Checked", Text("FALSE")},
  };
}

TEST(StoredSettings, BadDataGivesTheDefaultsAndIsNotWrittenBack) {
  const std::string letters(100 * 1024, 'x');
  const std::string digits(100 * 1024, '9');  // far beyond 64 bits
  struct Garbage {
    const char* what;
    StoredValue value;
  };
  const std::vector<Garbage> notABoolean = {
      {"binary", kBinary},
      {"DWORD 1", Dword(1)},
      {"DWORD 0", Dword(0)},
      {"QWORD 1", Qword(1)},
      {"empty text", Text("")},
      {"maybe", Text("maybe")},
      {"1.0", Text("1.0")},
      {"100 KB of letters", Text(letters)},
      {"100 KB of digits", Text(digits)},
  };
  const std::vector<Garbage> notANumber = {
      {"binary", kBinary},
      {"empty text", Text("")},
      {"abc", Text("abc")},
      {"100 KB of letters", Text(letters)},
      {"100 KB of digits", Text(digits)},
  };
  const std::vector<Garbage> notAPosition = {
      {"binary", kBinary},
      {"DWORD 5", Dword(5)},
      {"empty text", Text("")},
      {"abc", Text("abc")},
      {"100 KB of letters", Text(letters)},
      {"100 KB of digits", Text(digits)},
  };

  struct Row {
    std::string name;
    Garbage garbage;
    std::function<void(State&)> state;  // how the start-up differs from a first run
    Values stored;                      // how the store after the close differs from a first run's
  };
  std::vector<Row> rows;
  const auto add = [&](const std::string& name, const std::vector<Garbage>& list) {
    for (const Garbage& g : list) rows.push_back({name, g, nullptr, {}});
  };
  for (const Prop& p : kProps) {
    if (p.IsBoolean()) add(p.name, notABoolean);
  }
  add("ShowTitlebar", notABoolean);
  add("ShowTitlebar", {{"TRUE", Text("TRUE")}, {"true", Text("true")}});
  add("InvertImage1_Checked", notABoolean);
  add("InvertImage1_Checked", {{"TRUE", Text("TRUE")}, {"true", Text("true")}});
  add("ColorFilterMode", notANumber);
  add("ColorFilterMode", {{"10", Dword(10)},
                          {"smallest", Dword(0x80000000u)},
                          {"largest", Dword(0x7FFFFFFFu)},
                          {"-5", Dword(0xFFFFFFFBu)},
                          {"text -5", Text("-5")},
                          {"QWORD low bits 10", Qword(0x10000000Aull)}});
  add("Timer1_Interval", notANumber);
  add("Timer1_Interval", {{"0", Dword(0)},
                          {"15", Dword(15)},
                          {"1001", Dword(1001)},
                          {"smallest", Dword(0x80000000u)},
                          {"largest", Dword(0x7FFFFFFFu)},
                          {"text -5", Text("-5")},
                          {"QWORD low bits 0", Qword(0x100000000ull)}});
  add("cbxZoomLevel_ItemIndex", notANumber);
  add("memX", notANumber);
  add("memY", notANumber);
  add("pixlevel", notANumber);
  add("FormVersion", notANumber);
  add("FormVersion", {{"smallest", Dword(0x80000000u)}, {"-5", Dword(0xFFFFFFFBu)}});
  add("Flags", notANumber);
  add("PixelsPerInch", notANumber);
  add("PixelsPerInch", {{"0", Dword(0)}, {"smallest", Dword(0x80000000u)}});
  for (const char* name : {"NormPos", "NormPos(1920x1080)"}) {
    add(name, notAPosition);
    add(name, {{"wrapping width", Text("2147483000,0,-2147483000,10")},
               {"empty width", Text("100,200,100,500")},
               {"width past the largest integer", Text("2147483600,0")},
               {"the whole integer range", Text("-2147483648,-2147483648,2147483647,2147483647")}});
  }
  // Not a number is no position: a present value puts the minimised and maximised positions at 0.
  for (const char* name : {"MinMaxPos", "MinMaxPos(1920x1080)"}) {
    for (const Garbage& g : notAPosition) {
      rows.push_back({name, g, nullptr, {{"MinMaxPos(1920x1080)", Text("0,0,0,0")}, {"MinMaxPos", Text("0,0,0,0")}}});
    }
  }
  // Integers without a range are taken as they are; outside the zoom list there is no selection.
  for (const Garbage& g : std::vector<Garbage>{{"19", Dword(19)},
                                               {"smallest", Dword(0x80000000u)},
                                               {"largest", Dword(0x7FFFFFFFu)},
                                               {"text -5", Text("-5")}}) {
    rows.push_back({"cbxZoomLevel_ItemIndex",
                    g,
                    [](State& s) {
                      s.props["cbxZoomLevel_ItemIndex"] = -1;
                      s.zoom = 1;
                      s.zoomTag = -1;
                    },
                    {{"cbxZoomLevel_ItemIndex", Dword(0xFFFFFFFFu)}, {"Combobox1_Itemindex", Dword(0xFFFFFFFFu)}}});
  }
  rows.push_back(
      {"memX", {"smallest", Dword(0x80000000u)}, [](State& s) { s.memX = INT_MIN; }, {{"memX", Dword(0x80000000u)}}});
  rows.push_back({"memX", {"text -5", Text("-5")}, [](State& s) { s.memX = -5; }, {{"memX", Dword(0xFFFFFFFBu)}}});
  rows.push_back(
      {"memY", {"largest", Dword(0x7FFFFFFFu)}, [](State& s) { s.memY = INT_MAX; }, {{"memY", Dword(0x7FFFFFFFu)}}});
  rows.push_back({"pixlevel",
                  {"-5", Dword(0xFFFFFFFBu)},
                  [](State& s) {
                    s.grid = -5;
                    s.spacingItem = "";
                  },
                  {{"Pixlevel", Dword(0xFFFFFFFBu)}}});
  rows.push_back({"pixlevel",
                  {"largest", Dword(0x7FFFFFFFu)},
                  [](State& s) {
                    s.grid = INT_MAX;
                    s.spacingItem = "";
                  },
                  {{"Pixlevel", Dword(0x7FFFFFFFu)}}});

  FakePlatform platform;
  for (const Row& row : rows) {
    const std::string what = row.name + " = " + row.garbage.what;
    Reset(platform);
    platform.settings.Put(row.name, row.garbage.value);
    Session run(platform);
    State expected;
    if (row.state) row.state(expected);
    EXPECT_EQ(Observe(run), expected) << what;

    run.Close();
    std::map<std::string, StoredValue> store;
    for (const auto& [name, value] : FirstCloseStore()) store[name] = value;
    for (const auto& [name, value] : row.stored) store[name] = value;
    for (const auto& [name, value] : store) ExpectStored(platform.settings, name, value, "after " + what);
    EXPECT_TRUE(platform.messages.shown.empty()) << what;
  }
}

}  // namespace
