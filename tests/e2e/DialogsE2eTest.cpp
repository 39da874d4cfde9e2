// The real glimmerlux.exe's dialogs: the update check against a web site on localhost over real
// HTTPS (tests/e2e/https/serve.py, its authority trusted in the test prefix alone), and the About box.
#include <gtest/gtest.h>
#include <windows.h>

#include <wincrypt.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Commands.h"
#include "Desk.h"
#include "Desktop.h"
#include "Layout.h"
#include "MagnifierOnPattern.h"
#include "main/win32/ControlIds.h"

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

// The check's own deadline, 20 s, and Wine's pace in showing the warning.
constexpr auto kCheckDeadline = 23s;
constexpr wchar_t kWarning[] = L"Cannot connect to the internet.  Please check your connection.";

std::wstring Env(const wchar_t* name) {
  wchar_t value[512] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 512);
  return length > 0 && length < 512 ? std::wstring(value, length) : std::wstring();
}

// The test authority in the prefix's own trusted roots while the tests run.
class TrustedTestAuthority {
 public:
  TrustedTestAuthority() {
    std::ifstream file(Env(L"GLIMMERLUX_E2E_CA").c_str(), std::ios::binary);
    const std::vector<char> der((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    store_ = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
    if (store_ == nullptr || der.empty()) return;
    CertAddEncodedCertificateToStore(store_, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                                     static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING, &added_);
    // A registry store keeps changes to itself until it is committed; the program must see it.
    if (added_ != nullptr && !CertControlStore(store_, 0, CERT_STORE_CTRL_COMMIT, nullptr)) {
      CertDeleteCertificateFromStore(std::exchange(added_, nullptr));
    }
  }
  ~TrustedTestAuthority() {
    if (added_ != nullptr) CertDeleteCertificateFromStore(added_);  // frees the context too
    if (store_ != nullptr) CertControlStore(store_, 0, CERT_STORE_CTRL_COMMIT, nullptr);
    if (store_ != nullptr) CertCloseStore(store_, 0);
  }
  TrustedTestAuthority(const TrustedTestAuthority&) = delete;
  TrustedTestAuthority& operator=(const TrustedTestAuthority&) = delete;
  bool Trusted() const { return added_ != nullptr; }

 private:
  HCERTSTORE store_ = nullptr;
  PCCERT_CONTEXT added_ = nullptr;
};

// The texts of a window's visible static controls, one per line.
std::wstring Texts(HWND window) {
  std::wstring texts;
  for (HWND child = FindWindowExW(window, nullptr, L"Static", nullptr); child != nullptr;
       child = FindWindowExW(window, child, L"Static", nullptr)) {
    const std::wstring text = TextOf(child);
    if (IsWindowVisible(child) && !text.empty()) texts += text + L"\n";
  }
  return texts;
}

// Designed (96 DPI) pixels at the DPI the run was given.
int Scaled(int designed) { return MulDiv(designed, static_cast<int>(IntendedDpi()), 96); }

class DialogsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(IsTheIntendedDesk());
    ForgetSettings(kSettingsKey);
    std::string why;
    window_ = StartMagnifier(magnifier_, L"", why);
    ASSERT_TRUE(window_ != nullptr) << why;
    HideWineSystemTray();
  }
  void TearDown() override {
    if (HasFailure()) {
      const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
      std::printf("the desktop at %u DPI saved as %s\n", IntendedDpi(),
                  SaveDesktopForPerson("e2e-" + std::string(test->name()) + "-desktop").c_str());
    }
    ForgetSettings(kSettingsKey);
  }

  // Chooses "Check for Updates..." for the version file of one case; returns the dialog or the
  // warning that came, and how long that took.
  HWND Check(const std::wstring& url, milliseconds& took) {
    SetEnvironmentVariableW(L"GLIMMERLUX_VERSION_URL", url.c_str());
    // The variable is read at start, so each case has a program of its own.
    ChildProcess magnifier;
    std::string why;
    HWND window = StartMagnifier(magnifier, L"", why);
    EXPECT_TRUE(window != nullptr) << why;
    if (window == nullptr) return nullptr;
    const auto start = steady_clock::now();
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(CommandOf(MainMenuTable(), "CheckforUpdates1"), 0), 0);
    HWND shown = nullptr;
    WaitUntil(kCheckDeadline + 5s, [&] {
      shown = FindProcessWindowOfClass(magnifier.Id(), L"TfrmCheckUpdate");
      if (shown == nullptr) shown = FindProcessWindow(magnifier.Id(), L"Warning");
      return shown != nullptr;
    });
    took = duration_cast<milliseconds>(steady_clock::now() - start);
    if (shown != nullptr) lastTexts_ = Texts(shown);
    checked_ = std::move(magnifier);
    return shown;
  }

  std::wstring Url(const wchar_t* portVariable, const std::wstring& path) {
    return L"https://localhost:" + Env(portVariable) + path;
  }

  int ZoomIndex() {
    return static_cast<int>(SendMessageW(GetDlgItem(GetDlgItem(window_, kPanel1Id), kZoomLevelId), CB_GETCURSEL, 0, 0));
  }

  ChildProcess magnifier_;
  HWND window_ = nullptr;
  ChildProcess checked_;
  std::wstring lastTexts_;
};

// A suite of update checks against the test web site: its authority is trusted from the
// suite's first test to its last.
template <typename Fixture>
class AgainstTestWebSite : public Fixture {
 protected:
  static void SetUpTestSuite() { authority_ = std::make_unique<TrustedTestAuthority>(); }
  static void TearDownTestSuite() { authority_.reset(); }
  static void ExpectTheTestWebSite() {
    ASSERT_FALSE(Env(L"GLIMMERLUX_E2E_HTTPS_PORT").empty()) << "run under tests/e2e/https/with-https-server.sh";
    ASSERT_TRUE(authority_ != nullptr && authority_->Trusted()) << "the test authority could not be trusted";
  }

 private:
  static inline std::unique_ptr<TrustedTestAuthority> authority_;
};

class UpdateCheckE2e : public AgainstTestWebSite<DialogsE2e> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(IsTheIntendedDesk());
    ASSERT_NO_FATAL_FAILURE(ExpectTheTestWebSite());
    ForgetSettings(kSettingsKey);
  }
};

TEST_F(UpdateCheckE2e, EachOutcomeShowsItsDialog) {
  const struct {
    const wchar_t* path;
    std::wstring texts;
    bool tall;
  } cases[] = {
      {L"/minor/version/glimmerlux.txt",
       L"You are currently using version 1.0\nLatest version found online :\n1.1\nMinor upgrade found\nNew Features\n"
       L"Sharper text\r\nFewer flickers\r\n\r\n\r\n\nDownload new Version\n",
       true},
      {L"/major/version/glimmerlux.txt",
       L"You are currently using version 1.0\nLatest version found online :\n2.0\nMajor upgrade found\nNew Features\n"
       L"All new\r\n\r\n\r\n\r\n\nDownload new Version\n",
       true},
      {L"/current/version/glimmerlux.txt",
       L"You are currently using version 1.0\nLatest version found online :\n1.0\n"
       L"You are already using the latest version.\n",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.path));
    milliseconds took{};
    HWND dialog = Check(Url(L"GLIMMERLUX_E2E_HTTPS_PORT", c.path), took);
    ASSERT_TRUE(dialog != nullptr) << "neither dialog nor warning";
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"Check For Glimmerlux Update");
    EXPECT_EQ(Narrow(lastTexts_), Narrow(c.texts));
    RECT outer{};
    GetWindowRect(dialog, &outer);
    if (c.tall)
      EXPECT_GT(outer.bottom - outer.top, Scaled(254));
    else
      EXPECT_EQ(outer.bottom - outer.top, Scaled(160));
    EXPECT_EQ(LayoutProblems(dialog), "");
    // OK closes it, and the command can be chosen again.
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil(kSettle, [&] { return !IsWindow(dialog); })) << "OK did not close the dialog";
  }
}

// Whatever goes wrong, one warning, and within the deadline: nothing hangs the window.
TEST_F(UpdateCheckE2e, EveryBadAnswerEndsInTheOneWarningWithinTheDeadline) {
  const struct {
    const char* what;
    const wchar_t* port;
    const wchar_t* path;
  } cases[] = {
      {"an error page", L"GLIMMERLUX_E2E_HTTPS_PORT", L"/error/version/glimmerlux.txt"},
      {"an empty file", L"GLIMMERLUX_E2E_HTTPS_PORT", L"/empty/version/glimmerlux.txt"},
      {"a value without quotes", L"GLIMMERLUX_E2E_HTTPS_PORT", L"/unquoted/version/glimmerlux.txt"},
      {"a server that never answers", L"GLIMMERLUX_E2E_HTTPS_PORT", L"/silent/version/glimmerlux.txt"},
      {"an endless body", L"GLIMMERLUX_E2E_HTTPS_PORT", L"/endless/version/glimmerlux.txt"},
      {"an untrusted certificate", L"GLIMMERLUX_E2E_ROGUE_PORT", L"/minor/version/glimmerlux.txt"},
      {"a redirect to http", L"GLIMMERLUX_E2E_HTTPS_PORT", L"/to-http/version/glimmerlux.txt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    milliseconds took{};
    HWND box = Check(Url(c.port, c.path), took);
    ASSERT_TRUE(box != nullptr) << "neither dialog nor warning";
    EXPECT_TRUE(FindWindowExW(box, nullptr, L"Static", kWarning) != nullptr) << Narrow(lastTexts_);
    EXPECT_LE(took, kCheckDeadline);
    std::printf("%s: warning after %lld ms\n", c.what, static_cast<long long>(took.count()));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil(kSettle, [&] { return !IsWindow(box); }));
  }
}

// Servers that hold the check up in every way a network can; each holds it past the deadline.
struct StallingServer {
  const char* what;
  const wchar_t* port;
  const wchar_t* path;
};

// The update check beside the picture: the magnifier over the test pattern, its version file
// on a server that stalls.
class UpdateCheckBesideThePicture : public AgainstTestWebSite<MagnifierOnPattern>,
                                    public ::testing::WithParamInterface<StallingServer> {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(ExpectTheTestWebSite());
    const std::wstring url = L"https://localhost:" + Env(GetParam().port) + GetParam().path;
    SetEnvironmentVariableW(L"GLIMMERLUX_VERSION_URL", url.c_str());
    MagnifierOnPattern::SetUp();
  }

  void ChooseCheckForUpdates() {
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(CommandOf(MainMenuTable(), "CheckforUpdates1"), 0), 0);
  }
  HWND Warning() { return FindProcessWindow(magnifier_.Id(), L"Warning"); }

  // Pictures the view shows in a second while the pointer creeps a pixel at a time across the
  // pattern from `from`: one for each frame the magnifier paints, as far as the screen can be
  // read that fast.
  double FramesPerSecond(POINT from, milliseconds period) {
    const RECT view = ScreenRectOfClient(view_);
    Picture last = GrabScreen(view);
    int frames = 0;
    int step = 0;
    const auto start = steady_clock::now();
    while (steady_clock::now() - start < period) {
      MovePointerTo({from.x + (++step % kCreep), from.y});
      Picture shown = GrabScreen(view);
      if (shown.pixels != last.pixels) {
        ++frames;
        last = std::move(shown);
      }
    }
    return frames / duration<double>(steady_clock::now() - start).count();
  }

  static constexpr int kCreep = 40;
};

// The picture goes on following the pointer at its full rate while the check waits on the
// server, and the one warning comes at the deadline.
TEST_P(UpdateCheckBesideThePicture, ThePictureFollowsThePointerAndTheWarningComesAtTheDeadline) {
  const POINT p = DesktopAt(0.3, 0.5);
  const POINT q = DesktopAt(0.7, 0.5);
  const RECT creep = SourceAround({p.x + kCreep, p.y});
  ASSERT_TRUE(MoveMagnifierClearOf({SourceAround(p), creep, SourceAround(q), RECT{p.x, p.y, q.x + 1, q.y + 1}}));
  ExpectPictureAround(p);
  const double before = FramesPerSecond(p, 2s);

  const auto start = steady_clock::now();
  ChooseCheckForUpdates();
  const double during = FramesPerSecond(p, 3s);
  ExpectPictureAround(q);
  const auto followed = duration_cast<milliseconds>(steady_clock::now() - start);
  EXPECT_TRUE(Warning() == nullptr) << "the check ended before the picture was looked at";

  HWND box = nullptr;
  WaitUntil(kCheckDeadline + 10s, [&] { return (box = Warning()) != nullptr; });
  const auto took = duration_cast<milliseconds>(steady_clock::now() - start);
  ASSERT_TRUE(box != nullptr) << "no warning";
  EXPECT_TRUE(FindWindowExW(box, nullptr, L"Static", kWarning) != nullptr);
  EXPECT_LE(took, kCheckDeadline);
  std::printf(
      "%s: %.1f frames/s before the check, %.1f during it; the pointer followed after %lld ms; "
      "warning after %lld ms\n",
      GetParam().what, before, during, static_cast<long long>(followed.count()), static_cast<long long>(took.count()));
  EXPECT_GE(during, before / 2) << "the picture slowed down during the check";
  EXPECT_GE(during, 5.0);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil(kSettle, [&] { return !IsWindow(box); }));
  ExpectPictureAround(p);
}

INSTANTIATE_TEST_SUITE_P(
    StallingServers, UpdateCheckBesideThePicture,
    ::testing::Values(StallingServer{"no handshake", L"GLIMMERLUX_E2E_MUTE_PORT", L"/version/glimmerlux.txt"},
                      StallingServer{"half a handshake", L"GLIMMERLUX_E2E_HALFWAY_PORT", L"/version/glimmerlux.txt"},
                      StallingServer{"a byte a second", L"GLIMMERLUX_E2E_HTTPS_PORT", L"/drip/version/glimmerlux.txt"},
                      StallingServer{"slow redirects", L"GLIMMERLUX_E2E_HTTPS_PORT",
                                     L"/slow-redirect/5/version/glimmerlux.txt"}),
    [](const ::testing::TestParamInfo<StallingServer>& param) {
      std::string name;
      for (const char c : std::string(param.param.what)) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
      }
      return name;
    });

// Exit while the check waits on a server that never answers (and would hold a waiting program
// for two minutes): the program ends as fast as one that checks nothing.
TEST_F(UpdateCheckE2e, ExitDuringACheckEndsTheProgramAtOnce) {
  SetEnvironmentVariableW(L"GLIMMERLUX_VERSION_URL",
                          Url(L"GLIMMERLUX_E2E_MUTE_PORT", L"/version/glimmerlux.txt").c_str());
  const auto timeExit = [](bool checking) -> std::optional<milliseconds> {
    ChildProcess magnifier;
    std::string why;
    HWND window = StartMagnifier(magnifier, L"", why);
    EXPECT_TRUE(window != nullptr) << why;
    if (window == nullptr) return std::nullopt;
    if (checking) PostMessageW(window, WM_COMMAND, MAKEWPARAM(CommandOf(MainMenuTable(), "CheckforUpdates1"), 0), 0);
    std::this_thread::sleep_for(1s);
    const auto start = steady_clock::now();
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(CommandOf(MainMenuTable(), "Exit1"), 0), 0);
    const std::optional<DWORD> code = magnifier.WaitForExit(20s);
    EXPECT_EQ(code, std::optional<DWORD>(0)) << (checking ? "during a check" : "without a check");
    if (!code) return std::nullopt;
    return duration_cast<milliseconds>(steady_clock::now() - start);
  };
  const std::optional<milliseconds> idle = timeExit(false);
  const std::optional<milliseconds> checking = timeExit(true);
  ASSERT_TRUE(idle && checking);
  // Against the same exit without a check, so that Wine's own pace of ending a process counts on
  // both sides.
  EXPECT_LE(*checking, *idle + 1s) << "the program waited for the network";
  std::printf("Exit: the program ended after %lld ms without a check, %lld ms during one\n",
              static_cast<long long>(idle->count()), static_cast<long long>(checking->count()));
}

TEST_F(DialogsE2e, TheAboutBoxShowsTheVersionTheWheelZoomsAndEscapeClosesIt) {
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(CommandOf(MainMenuTable(), "AboutGlimmerlux1"), 0), 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return (about = FindProcessWindowOfClass(magnifier_.Id(), L"TfrmAbout")); }))
      << "no About box";
  wchar_t caption[64] = {};
  GetWindowTextW(about, caption, 64);
  EXPECT_EQ(std::wstring(caption), L"About Glimmerlux");
  EXPECT_NE(lastTexts_ = Texts(about), L"");
  EXPECT_NE(lastTexts_.find(L"Glimmerlux 1.0\n"), std::wstring::npos) << Narrow(lastTexts_);
  EXPECT_FALSE(IsWindowEnabled(window_)) << "the box is not modal";
  RECT client = ScreenRectOfClient(about);
  EXPECT_EQ(client.right - client.left, Scaled(317));
  EXPECT_EQ(client.bottom - client.top, Scaled(329));
  EXPECT_EQ(LayoutProblems(about), "");
  wchar_t mainCaption[64] = {};
  GetWindowTextW(window_, mainCaption, 64);
  EXPECT_EQ(std::wstring(mainCaption), L"Glimmerlux 1.0");

  // The wheel over the box zooms the view, as it does over any window of the program.
  const int before = ZoomIndex();
  ASSERT_TRUE(MakeForeground(about));
  ASSERT_TRUE(MovePointerTo({(client.left + client.right) / 2, client.top + 60}));
  SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
  EXPECT_TRUE(WaitUntil(kSettle, [&] { return ZoomIndex() == before + 1; }))
      << "zoom list at " << ZoomIndex() << ", was " << before;

  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(WaitUntil(kSettle, [&] { return !IsWindow(about); })) << "Escape did not close the box";
  EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST_F(DialogsE2e, ExitWhileTheAboutBoxIsOpenClosesItAndEndsTheProgram) {
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(CommandOf(MainMenuTable(), "AboutGlimmerlux1"), 0), 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return (about = FindProcessWindowOfClass(magnifier_.Id(), L"TfrmAbout")); }));
  // As "Exit" from the tray icon's menu would, while the box's own loop runs.
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(CommandOf(MainMenuTable(), "Exit1"), 0), 0);
  const std::optional<DWORD> code = magnifier_.WaitForExit(10s);
  ASSERT_TRUE(code.has_value()) << "the program did not end";
  EXPECT_EQ(*code, 0u) << "the program did not end cleanly";
}

}  // namespace

int main(int argc, char** argv) {
  // Physical pixels everywhere, as the magnifier itself sees them.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
