#include "fake/FakeInternet.h"

#include <algorithm>
#include <cstring>

namespace {

struct SessionState {
  std::map<std::string, FakeInternet::Page> pages;
  std::shared_ptr<FakeInternet::Log> log;
  bool aborted = false;
};

class FakeFile : public InternetFile {
 public:
  FakeFile(FakeInternet::Page page, std::shared_ptr<SessionState> session)
      : page_(std::move(page)), session_(std::move(session)) {}
  int Status() override { return page_.status; }
  std::string Location() override { return page_.location; }
  std::optional<size_t> Read(char* buffer, size_t size) override {
    session_->log->reads.push_back(size);
    if (session_->aborted) return std::nullopt;
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
  FakeInternet::Page page_;
  std::shared_ptr<SessionState> session_;
  size_t at_ = 0;
};

class FakeSession : public InternetSession {
 public:
  explicit FakeSession(std::shared_ptr<SessionState> state) : state_(std::move(state)) {}
  std::unique_ptr<InternetFile> OpenUrl(const std::string& url) override {
    state_->log->opened.push_back(url);
    if (state_->aborted) return nullptr;
    const auto page = state_->pages.find(url);
    if (page == state_->pages.end()) return nullptr;
    return std::make_unique<FakeFile>(page->second, state_);
  }
  void Abort() override {
    ++state_->log->aborts;
    state_->aborted = true;
  }

 private:
  std::shared_ptr<SessionState> state_;
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
  return std::make_unique<FakeSession>(std::make_shared<SessionState>(SessionState{pages, log, false}));
}
