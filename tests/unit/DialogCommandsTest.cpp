#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/Links.h"
#include "dialogs/fmAbout.h"
#include "dialogs/fmCheckUpdate.h"
#include "fake/FakePlatform.h"
#include "fake/FormFixture.h"
#include "main/MainMenu.h"
#include "main/fmMagnifier.h"

namespace {

constexpr const char* kVersionUrl = "https://updates.test/version/glimmerlux.txt";

// A started program (version 1.0) with a version file on the web and hosts that record what
// the dialogs showed; `whileOpen` acts as the user would while a dialog is open.
struct DialogsProgram : FormFixture {
  std::optional<TfrmCheckUpdate> updateShown;
  std::optional<TfrmAbout> aboutShown;
  std::function<void()> whileOpen;
  int broughtToFront = 0;
  int closeRequests = 0;

  DialogsProgram() {
    Create();
    form.FormShow();
    form.dialogs.versionFileUrl = kVersionUrl;
    form.dialogs.host.showCheckUpdate = [this](TfrmCheckUpdate& dialog) {
      updateShown.emplace(dialog);
      if (whileOpen) whileOpen();
    };
    form.dialogs.host.showAbout = [this](TfrmAbout& about) {
      aboutShown.emplace(about);
      if (whileOpen) whileOpen();
    };
    form.dialogs.host.bringToFront = [this] { ++broughtToFront; };
    form.dialogs.host.closeDialog = [this] { ++closeRequests; };
    platform.messages.whileOpen = [this] {
      if (whileOpen) whileOpen();
    };
  }
  void Serve(const std::string& body, int status = 200) { platform.internet.pages[kVersionUrl] = {status, "", body}; }
  bool TimerRunning() { return platform.windows.timers[{kMainWindow, kTimer1Id}].running; }
  bool DeadlineRunning() { return platform.windows.timers[{kMainWindow, kUpdateDeadlineTimerId}].running; }
  // The worker's download runs to its end and the window hears of it.
  void FinishDownload() {
    platform.workers.RunHeld();
    if (platform.workers.TakeWakes()) form.WorkDone();
  }
  void CheckForUpdates() {
    Choose("CheckforUpdates1");
    FinishDownload();
  }
  std::vector<std::pair<MessageType, std::string>> Boxes() const { return platform.messages.boxes; }
};

struct DialogsFixture : ::testing::Test, DialogsProgram {};

std::string VersionLine(const std::string& version) { return "Version CONTENT=\"" + version + "\"\r\n"; }

TEST_F(DialogsFixture, TheDialogTellsEachOutcome) {
  const struct {
    const char* remote;
    const char* verdict;
    bool linkShown;
    int height;
  } cases[] = {
      {"1.1", "Minor upgrade found", true, 0},
      {"2.0", "Major upgrade found", true, 0},
      {"1.0", "You are already using the latest version.", false, 160},
      {"0.9", "You are already using the latest version.", false, 160},
      {"1.10", "Minor upgrade found", true, 0},
  };
  for (const auto& c : cases) {
    Serve(VersionLine(c.remote) + "whatsnew1 CONTENT=\"Sharper text\"\r\nwhatsnew4 CONTENT=\"Fewer flickers\"\r\n");
    updateShown.reset();
    CheckForUpdates();
    ASSERT_TRUE(updateShown.has_value()) << c.remote;
    const TfrmCheckUpdate& d = *updateShown;
    EXPECT_EQ(d.lblVersion.Caption, c.remote);
    EXPECT_EQ(d.lblCurrent.Caption, "You are currently using version 1.0");
    EXPECT_EQ(d.lblText.Caption, c.verdict) << c.remote;
    EXPECT_EQ(d.lnkDownload.Visible, c.linkShown) << c.remote;
    EXPECT_EQ(d.lblFeatures.Visible, c.linkShown) << c.remote;
    EXPECT_EQ(d.lblnewfeatures.Visible, c.linkShown) << c.remote;
    EXPECT_EQ(d.Height, c.height) << c.remote;
    // Four lines always, the absent ones empty.
    EXPECT_EQ(d.lblFeatures.Caption, "Sharper text\r\n\r\n\r\nFewer flickers\r\n");
  }
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(platform.internet.agent, "Glimmerlux");
}

// An error page, a captive portal or a broken download must never say "up to date".
TEST_F(DialogsFixture, EveryFailureEndsInTheOneWarning) {
  const struct {
    const char* what;
    std::function<void(DialogsProgram&)> serve;
  } cases[] = {
      {"no network", [](DialogsProgram& f) { f.platform.internet.pages.clear(); }},
      {"no session", [](DialogsProgram& f) { f.platform.internet.sessionFails = true; }},
      {"error page", [](DialogsProgram& f) { f.Serve("<html>Version CONTENT=\"9.9\"</html>", 404); }},
      {"empty file", [](DialogsProgram& f) { f.Serve(""); }},
      {"value without quotes", [](DialogsProgram& f) { f.Serve("Version CONTENT=5.3\r\n"); }},
      {"single quotes", [](DialogsProgram& f) { f.Serve("Version CONTENT='5.3'\r\n"); }},
      {"not a version", [](DialogsProgram& f) { f.Serve(VersionLine("Please sign in to the hotel network")); }},
      {"version without point", [](DialogsProgram& f) { f.Serve(VersionLine("2")); }},
      {"endless body",
       [](DialogsProgram& f) {
         f.Serve(VersionLine("2.0"));
         f.platform.internet.pages[kVersionUrl].endless = true;
       }},
  };
  for (const auto& c : cases) {
    platform.internet = FakeInternet();
    platform.messages.boxes.clear();
    updateShown.reset();
    c.serve(*this);
    CheckForUpdates();
    EXPECT_FALSE(updateShown.has_value()) << c.what;
    EXPECT_EQ(Boxes(), (std::vector<std::pair<MessageType, std::string>>{
                           {MessageType::mtWarning, "Cannot connect to the internet.  Please check your connection."}}))
        << c.what;
    EXPECT_TRUE(Enabled(form, "CheckforUpdates1")) << "usable again at once after " << c.what;
  }
}

TEST_F(DialogsFixture, WhileTheResultIsOpenTheTickStopsAndStayOnTopIsLifted) {
  Serve(VersionLine("1.1"));
  Choose("StayOnTop1");
  platform.frame.topmostCalls.clear();
  whileOpen = [&] {
    EXPECT_FALSE(TimerRunning());
    EXPECT_FALSE(Enabled(form, "CheckforUpdates1"));
    EXPECT_FALSE(Enabled(form, "AboutGlimmerlux1")) << "a second dialog would open under the first";
    EXPECT_FALSE(Runs("CheckforUpdates1"));
    ASSERT_EQ(platform.frame.topmostCalls.size(), 1u);
    EXPECT_FALSE(platform.frame.topmostCalls[0].topmost);
  };
  CheckForUpdates();
  ASSERT_TRUE(updateShown.has_value());
  EXPECT_TRUE(TimerRunning());
  EXPECT_TRUE(Enabled(form, "CheckforUpdates1"));
  EXPECT_TRUE(Enabled(form, "AboutGlimmerlux1"));
  ASSERT_EQ(platform.frame.topmostCalls.size(), 2u);
  EXPECT_TRUE(platform.frame.topmostCalls[1].topmost);
}

// The download never runs on the window's thread: the tick goes on, nothing is shown and
// stay-on-top stays until the worker has ended and the window has heard of it.
TEST_F(DialogsFixture, TheCheckRunsBesideThePictureAndShowsItsResultOnlyOnceItHasEnded) {
  Serve(VersionLine("1.1"));
  Choose("StayOnTop1");
  platform.frame.topmostCalls.clear();
  Choose("CheckforUpdates1");
  EXPECT_TRUE(platform.internet.log->opened.empty()) << "the window's thread went to the network";
  ASSERT_EQ(platform.workers.held.size(), 1u);
  EXPECT_TRUE(TimerRunning()) << "the picture stops while the check runs";
  EXPECT_TRUE(DeadlineRunning());
  const auto deadline = platform.windows.timers.find({kMainWindow, kUpdateDeadlineTimerId});
  ASSERT_NE(deadline, platform.windows.timers.end());
  EXPECT_EQ(deadline->second.interval, 20000u);
  EXPECT_FALSE(Enabled(form, "CheckforUpdates1"));
  EXPECT_FALSE(Enabled(form, "AboutGlimmerlux1"));
  EXPECT_TRUE(platform.frame.topmostCalls.empty());
  EXPECT_FALSE(form.dialogs.DialogOpen()) << "Exit would wait for the network";

  // A second click, from the menu or straight to the handler, starts nothing.
  EXPECT_FALSE(Runs("CheckforUpdates1"));
  form.dialogs.CheckforUpdates1Click();
  form.dialogs.CheckNewVersion();
  EXPECT_EQ(platform.workers.held.size(), 1u);

  platform.workers.RunHeld();
  EXPECT_FALSE(updateShown.has_value()) << "the worker showed the dialog itself";
  EXPECT_TRUE(Boxes().empty());
  whileOpen = [&] { EXPECT_FALSE(TimerRunning()) << "the tick runs under the result"; };
  ASSERT_TRUE(platform.workers.TakeWakes()) << "the window never hears the check has ended";
  form.WorkDone();
  ASSERT_TRUE(updateShown.has_value());
  EXPECT_EQ(updateShown->lblVersion.Caption, "1.1");
  EXPECT_EQ(platform.internet.agent, "Glimmerlux");
  EXPECT_FALSE(DeadlineRunning());
  EXPECT_TRUE(TimerRunning());
  EXPECT_TRUE(Enabled(form, "CheckforUpdates1"));
  EXPECT_TRUE(Enabled(form, "AboutGlimmerlux1"));
}

// A server that never answers, never finishes its handshake or drips its body holds the worker
// for good; the warning comes at the deadline all the same, and what the worker does afterwards
// shows nothing more.
TEST_F(DialogsFixture, ACheckStillRunningAtItsDeadlineEndsInTheWarningAndIsAborted) {
  Serve(VersionLine("1.1"));
  Choose("CheckforUpdates1");
  form.UpdateDeadlineTimer();
  EXPECT_EQ(Boxes(), (std::vector<std::pair<MessageType, std::string>>{{MessageType::mtWarning, kNoConnectionText}}));
  EXPECT_EQ(platform.internet.log->aborts, 1) << "the blocked call was never asked to end";
  EXPECT_FALSE(DeadlineRunning());
  EXPECT_TRUE(TimerRunning());
  EXPECT_TRUE(Enabled(form, "CheckforUpdates1")) << "usable again at once";
  EXPECT_TRUE(Enabled(form, "AboutGlimmerlux1"));

  // A new check starts while the old worker is still blocked; the old one's news, when it
  // comes, is not taken for the new one's.
  std::vector<std::function<void()>> abandoned = std::exchange(platform.workers.held, {});
  Choose("CheckforUpdates1");
  ASSERT_EQ(platform.workers.held.size(), 1u);
  for (const auto& work : abandoned) work();
  ASSERT_TRUE(platform.workers.TakeWakes());
  form.WorkDone();
  EXPECT_FALSE(updateShown.has_value());
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_TRUE(form.dialogs.Checking());
  FinishDownload();
  ASSERT_TRUE(updateShown.has_value());
  EXPECT_EQ(Boxes().size(), 1u);
  // A deadline timer message already queued when the check ended changes nothing.
  form.UpdateDeadlineTimer();
  EXPECT_EQ(Boxes().size(), 1u);
}

// Exit or the end of the session during a check ends the program at once, and the worker,
// finishing after every object of the program has gone, touches none of them.
TEST(DialogsExit, EndingTheProgramDuringACheckWaitsForNothing) {
  const struct {
    const char* what;
    std::function<void(DialogsProgram&)> end;
  } cases[] = {
      {"Exit", [](DialogsProgram& f) { f.Choose("Exit1"); }},
      {"end of session",
       [](DialogsProgram& f) {
         EXPECT_TRUE(f.form.QueryEndSession());
         f.form.EndSession(true);
       }},
  };
  for (const auto& c : cases) {
    auto f = std::make_unique<DialogsProgram>();
    f->Serve(VersionLine("1.1"));
    f->Choose("CheckforUpdates1");
    c.end(*f);
    EXPECT_TRUE(f->platform.app.states[kMainWindow].destroyed) << c.what << ": the program waited";
    EXPECT_TRUE(f->platform.settings.Has("Pixlevel")) << c.what << ": the settings were not kept";
    EXPECT_EQ(f->closeRequests, 0) << c.what;
    const std::shared_ptr<FakeInternet::Log> log = f->platform.internet.log;
    std::vector<std::function<void()>> worker = std::exchange(f->platform.workers.held, {});
    f.reset();
    EXPECT_EQ(log->aborts, 1) << c.what << ": the download was left running";
    for (const auto& work : worker) work();
  }
}

TEST_F(DialogsFixture, OnOffChosenWhileADialogIsOpenIsNotUndoneWhenItCloses) {
  Serve(VersionLine("1.1"));
  whileOpen = [&] { Choose("Enabled1"); };
  CheckForUpdates();
  EXPECT_FALSE(Checked(form, "Enabled1"));
  EXPECT_FALSE(TimerRunning());
  // And back on from off: the tick runs again after the dialog.
  CheckForUpdates();
  EXPECT_TRUE(Checked(form, "Enabled1"));
  EXPECT_TRUE(TimerRunning());
}

TEST_F(DialogsFixture, StayOnTopChosenWhileADialogIsOpenStands) {
  Serve(VersionLine("1.1"));
  Choose("StayOnTop1");
  whileOpen = [&] { Choose("StayOnTop1"); };
  CheckForUpdates();
  EXPECT_FALSE(Checked(form, "StayOnTop1"));
  EXPECT_FALSE(platform.frame.topmostCalls.back().topmost);
  whileOpen = [&] { Choose("StayOnTop1"); };
  Choose("AboutGlimmerlux1");
  EXPECT_TRUE(Checked(form, "StayOnTop1"));
  EXPECT_TRUE(platform.frame.topmostCalls.back().topmost);
}

// Each dialog the program has, and how it comes to be open.
const struct DialogOpening {
  const char* what;
  std::function<void(DialogsProgram&)> open;
} kEachDialog[] = {
    {"update dialog", [](DialogsProgram& f) { f.CheckForUpdates(); }},
    {"About box", [](DialogsProgram& f) { f.Choose("AboutGlimmerlux1"); }},
    {"warning",
     [](DialogsProgram& f) {
       f.platform.internet.pages.clear();
       f.CheckForUpdates();
     }},
};

// Nothing is destroyed under the dialog's own message loop: the program ends once it has returned.
TEST(DialogsExit, ExitWhileADialogIsOpenClosesItFirstAndEndsAfterwards) {
  for (const DialogOpening& c : kEachDialog) {
    DialogsProgram f;
    f.Serve(VersionLine("1.1"));
    bool destroyedWhileOpen = true;
    f.whileOpen = [&] {
      f.Choose("Exit1");
      destroyedWhileOpen = f.platform.app.states[kMainWindow].destroyed;
      EXPECT_EQ(f.closeRequests, 1) << c.what;
    };
    c.open(f);
    EXPECT_FALSE(destroyedWhileOpen) << c.what;
    EXPECT_TRUE(f.platform.app.states[kMainWindow].destroyed) << c.what << ": the program did not end after it";
    EXPECT_TRUE(f.platform.settings.Has("Pixlevel")) << c.what << ": the settings were not kept";
  }
}

// A dialog that cannot be shown gives back all it took: the commands, the tick, stay-on-top,
// and what waited for it (here "Exit", chosen from the tray while it was coming up) still runs.
TEST(DialogsFailure, ADialogThatFailsToShowLeavesNothingBehind) {
  for (const DialogOpening& c : kEachDialog) {
    DialogsProgram f;
    f.Serve(VersionLine("1.1"));
    f.Choose("StayOnTop1");
    f.whileOpen = [&] {
      f.Choose("Exit1");
      throw std::runtime_error("the dialog could not be created");
    };
    EXPECT_THROW(c.open(f), std::runtime_error) << c.what;
    EXPECT_FALSE(f.form.dialogs.DialogOpen()) << c.what;
    EXPECT_TRUE(Enabled(f.form, "CheckforUpdates1")) << c.what;
    EXPECT_TRUE(Enabled(f.form, "AboutGlimmerlux1")) << c.what;
    EXPECT_TRUE(f.TimerRunning()) << c.what << ": the picture stays frozen";
    EXPECT_TRUE(Checked(f.form, "Enabled1")) << c.what;
    ASSERT_FALSE(f.platform.frame.topmostCalls.empty()) << c.what;
    EXPECT_TRUE(f.platform.frame.topmostCalls.back().topmost) << c.what << ": stay-on-top was not given back";
    EXPECT_TRUE(f.platform.app.states[kMainWindow].destroyed) << c.what << ": Exit waits for good";
  }
}

TEST_F(DialogsFixture, ATrayClickWhileADialogIsOpenBringsItToTheFront) {
  Serve(VersionLine("1.1"));
  whileOpen = [&] {
    form.JvTrayIcon1.IconLeftDown();
    form.JvTrayIcon1.IconLeftUp();
  };
  CheckForUpdates();
  EXPECT_EQ(broughtToFront, 1);
  EXPECT_FALSE(platform.app.states[kMainWindow].minimized) << "the click hid the program as well";
  // With the program in the tray the window comes back with its dialog.
  form.JvTrayIcon1.HideApplication();
  ASSERT_TRUE(platform.app.states[kMainWindow].minimized);
  Choose("AboutGlimmerlux1");
  EXPECT_EQ(broughtToFront, 2);
  EXPECT_FALSE(platform.app.states[kMainWindow].minimized);
  // Without a dialog the click hides the program again.
  form.JvTrayIcon1.IconLeftDown();
  form.JvTrayIcon1.IconLeftUp();
  EXPECT_TRUE(platform.app.states[kMainWindow].minimized);
}

TEST_F(DialogsFixture, TheAboutBoxShowsNameAndVersionAndLiftsStayOnTopOnlyWhenSet) {
  platform.frame.topmostCalls.clear();
  whileOpen = [&] { EXPECT_FALSE(Enabled(form, "AboutGlimmerlux1")); };
  Choose("AboutGlimmerlux1");
  ASSERT_TRUE(aboutShown.has_value());
  EXPECT_EQ(aboutShown->lblName.Caption, "Glimmerlux 1.0");
  EXPECT_TRUE(platform.frame.topmostCalls.empty()) << "stay-on-top was off and must not be touched";
  EXPECT_TRUE(Enabled(form, "AboutGlimmerlux1"));
  EXPECT_TRUE(TimerRunning()) << "the About box does not stop the tick";

  Choose("StayOnTop1");
  platform.frame.topmostCalls.clear();
  aboutShown.reset();
  Choose("AboutGlimmerlux1");
  ASSERT_TRUE(aboutShown.has_value()) << "a fresh box opens again";
  ASSERT_EQ(platform.frame.topmostCalls.size(), 2u);
  EXPECT_FALSE(platform.frame.topmostCalls[0].topmost);
  EXPECT_TRUE(platform.frame.topmostCalls[1].topmost);
}

TEST_F(DialogsFixture, LinksOpenThroughTheShellAndTellFailures) {
  const std::string home = HomePageUrl();
  ASSERT_EQ(home, "https://" + WebSiteHost() + "/");
  Choose("ShowHelpfile1");
  Choose("VisitTarnwellSoftwareWebsite1");
  EXPECT_EQ(platform.shell.opened, (std::vector<std::string>{"https://" + WebSiteHost() + "/glimmerlux/help/", home}));
  EXPECT_TRUE(Boxes().empty());

  platform.shell.result = 31;  // no association
  Choose("ShowHelpfile1");
  EXPECT_TRUE(Boxes().empty()) << "a failing help command stays silent";
  Choose("VisitTarnwellSoftwareWebsite1");
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0], std::make_pair(MessageType::mtWarning, "The following link is invalid :\n\r" + home));

  TfrmAbout about(platform.shell, platform.messages);
  EXPECT_FALSE(OpenUrl(platform.shell, platform.messages, SupportMailUrl()));
  EXPECT_EQ(Boxes().back(),
            std::make_pair(MessageType::mtError, "Unable to open link:\r\n" + SupportMailUrl() + "\r\nError code: 31"));
  platform.shell.result = 2;
  about.JvLinkLabel3LinkClick();
  EXPECT_EQ(Boxes().back().second, "Unable to open link:\r\n" + home + "\r\nError code: 2");
  platform.shell.result = 33;
  EXPECT_TRUE(OpenUrl(platform.shell, platform.messages, home));
  about.JvLinkLabel2LinkClick();
  EXPECT_EQ(platform.shell.opened.back(), "mailto:" + SupportMailAddress());
  EXPECT_EQ(Boxes().size(), 3u);

  TfrmCheckUpdate update(platform.shell, platform.messages);
  platform.shell.result = 0;
  update.lnkDownloadClick();
  EXPECT_EQ(Boxes().back(), std::make_pair(MessageType::mtError, "Unable to open link:\r\n" + home));
}

TEST_F(DialogsFixture, TheCaptionCarriesTheVersion) {
  EXPECT_EQ(platform.frame.captions[kMainWindow], "Glimmerlux 1.0");
  platform.programFile.version = std::array<uint16_t, 4>{5, 12, 3, 4};
  form.FormShow();
  EXPECT_EQ(platform.frame.captions[kMainWindow], "Glimmerlux 5.12");
}

TEST(VersionFileUrl, TheOverrideMustBeHttps) {
  const std::string builtIn = "https://" + WebSiteHost() + "/version/glimmerlux.txt";
  EXPECT_EQ(VersionFileUrl(nullptr), builtIn);
  EXPECT_EQ(VersionFileUrl(""), builtIn);
  EXPECT_EQ(VersionFileUrl("http://localhost:8080/v.txt"), builtIn);
  EXPECT_EQ(VersionFileUrl("file:///c:/v.txt"), builtIn);
  EXPECT_EQ(VersionFileUrl("https://localhost:8443/v.txt"), "https://localhost:8443/v.txt");
}

}  // namespace
