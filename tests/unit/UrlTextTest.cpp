#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "dialogs/UrlText.h"
#include "fake/FakeInternet.h"

namespace {

constexpr const char* kUrl = "https://example.test/version/glimmerlux.txt";

// Read and converted over one session, on the test's thread.
std::string ReadText(FakeInternet& web, const std::string& url) {
  const std::unique_ptr<InternetSession> session = web.OpenSession(kUrlTextAgent);
  return UrlChunksToText(web, ReadUrlChunks(*session, url));
}

std::string FailureOf(FakeInternet& web, const std::string& url = kUrl) {
  try {
    ReadText(web, url);
  } catch (const EUrlText& error) {
    return error.what();
  }
  return "no failure";
}

TEST(UrlText, ReadsTheWholeBodyInChunksOf1025Bytes) {
  FakeInternet web;
  std::string body;
  for (int i = 0; i < 300; ++i) body += "line " + std::to_string(i) + "\r\n";
  web.pages[kUrl].body = body;
  EXPECT_EQ(ReadText(web, kUrl), body);
  ASSERT_FALSE(web.log->reads.empty());
  for (size_t size : web.log->reads) EXPECT_EQ(size, 1025u);
}

TEST(UrlText, AZeroByteDropsTheRestOfItsChunkOnly) {
  FakeInternet web;
  // Chunk one: "ab", zero, then filler up to 1025 bytes; chunk two: "cd".
  std::string body = std::string("ab") + '\0' + std::string(1022, 'z') + "cd";
  web.pages[kUrl].body = body;
  EXPECT_EQ(ReadText(web, kUrl), "abcd");
}

TEST(UrlText, EachChunkIsConvertedFromTheAnsiCodePage) {
  FakeInternet web;
  web.pages[kUrl].body = "caf\xE9";  // é in Latin-1
  EXPECT_EQ(ReadText(web, kUrl), "caf\xC3\xA9");
}

TEST(UrlText, FollowsRedirectsThatStayOnHttps) {
  FakeInternet web;
  web.pages[kUrl] = {301, "https://mirror.test/v.txt", "", false, false};
  web.pages["https://mirror.test/v.txt"] = {302, "/moved/v.txt", "", false, false};
  web.pages["https://mirror.test/moved/v.txt"].body = "Version CONTENT=\"5.3\"";
  EXPECT_EQ(ReadText(web, kUrl), "Version CONTENT=\"5.3\"");
}

TEST(UrlText, EveryFailureIsAnError) {
  const auto page = [](int status, std::string location = "") {
    return FakeInternet::Page{status, std::move(location), "<html>error page</html>", false, false};
  };
  const struct {
    const char* what;
    std::function<void(FakeInternet&)> setUp;
    const char* url;
  } cases[] = {
      {"cannot open", [](FakeInternet&) {}, kUrl},
      {"not found", [&](FakeInternet& w) { w.pages[kUrl] = page(404); }, kUrl},
      {"server error", [&](FakeInternet& w) { w.pages[kUrl] = page(500); }, kUrl},
      {"no status", [&](FakeInternet& w) { w.pages[kUrl] = page(0); }, kUrl},
      {"redirect to http",
       [&](FakeInternet& w) {
         w.pages[kUrl] = page(302, "http://example.test/v.txt");
         w.pages["http://example.test/v.txt"].body = "Version CONTENT=\"9.9\"";
       },
       kUrl},
      {"redirect without a place", [&](FakeInternet& w) { w.pages[kUrl] = page(302); }, kUrl},
      {"redirect loop", [&](FakeInternet& w) { w.pages[kUrl] = page(302, kUrl); }, kUrl},
      {"plain http address",
       [&](FakeInternet& w) { w.pages["http://example.test/v.txt"].body = "Version CONTENT=\"9.9\""; },
       "http://example.test/v.txt"},
      {"connection breaks",
       [](FakeInternet& w) {
         w.pages[kUrl].body = "Version";
         w.pages[kUrl].breaks = true;
       },
       kUrl},
      {"endless body", [](FakeInternet& w) { w.pages[kUrl].endless = true; }, kUrl},
      {"body over 64 KiB", [](FakeInternet& w) { w.pages[kUrl].body = std::string(64 * 1024 + 1, 'a'); }, kUrl},
  };
  for (const auto& c : cases) {
    FakeInternet web;
    c.setUp(web);
    EXPECT_NE(FailureOf(web, c.url), "no failure") << c.what;
    // Nothing is ever asked of a plain-text address.
    for (const std::string& opened : web.log->opened) EXPECT_TRUE(IsHttpsUrl(opened)) << c.what << ": " << opened;
  }
}

TEST(UrlText, TheErrorsNameTheirCause) {
  FakeInternet web;
  EXPECT_EQ(FailureOf(web), std::string("Cannot open URL ") + kUrl);
}

TEST(UrlText, ExactlySixtyFourKibibytesIsStillRead) {
  FakeInternet web;
  web.pages[kUrl].body = std::string(64 * 1024, 'a');
  EXPECT_EQ(ReadText(web, kUrl).size(), 64u * 1024u);
}

TEST(IsHttpsUrl, OnlyTheHttpsScheme) {
  EXPECT_TRUE(IsHttpsUrl("https://localhost:8443/v.txt"));
  EXPECT_TRUE(IsHttpsUrl("HTTPS://example.test/"));
  for (const char* url :
       {"http://example.test/", "https://", "ftp://example.test/", "file:///c:/v.txt", "", " https://example.test/"}) {
    EXPECT_FALSE(IsHttpsUrl(url)) << url;
  }
}

}  // namespace
