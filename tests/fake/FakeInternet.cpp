#include "fake/FakeInternet.h"

#include <algorithm>
#include <cstring>

namespace {

class FakeFile : public InternetFile {
 public:
  FakeFile(const FakeInternet::Page& page, FakeInternet& web) : page_(page), web_(web) {}
  int Status() override { return page_.status; }
  std::string Location() override { return page_.location; }
  std::optional<size_t> Read(char* buffer, size_t size) override {
    web_.reads.push_back(size);
    web_.now += web_.millisecondsPerRead;
    const size_t left = page_.body.size() - std::min(at_, page_.body.size());
    if (left == 0) {
      if (page_.breaks) return std::nullopt;
      if (!page_.endless) return 0;
      std::memset(buffer, 'x', size);
      return size;
    }
    const size_t n = std::min(left, size);
    std::memcpy(buffer, page_.body.data() + at_, n);
    at_ += n;
    return n;
  }

 private:
  const FakeInternet::Page& page_;
  FakeInternet& web_;
  size_t at_ = 0;
};

class FakeSession : public InternetSession {
 public:
  explicit FakeSession(FakeInternet& web) : web_(web) {}
  std::unique_ptr<InternetFile> OpenUrl(const std::string& url) override {
    web_.opened.push_back(url);
    const auto page = web_.pages.find(url);
    if (page == web_.pages.end()) return nullptr;
    return std::make_unique<FakeFile>(page->second, web_);
  }

 private:
  FakeInternet& web_;
};

}  // namespace

std::string FakeInternet::AnsiToUtf8(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      text += c;
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}

std::unique_ptr<InternetSession> FakeInternet::OpenSession(const std::string& agentName) {
  agent = agentName;
  if (sessionFails) return nullptr;
  return std::make_unique<FakeSession>(*this);
}
