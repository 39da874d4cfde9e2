#include "dialogs/UpdateDownload.h"

#include <exception>
#include <mutex>
#include <utility>
#include <vector>

#include "dialogs/UrlText.h"

struct UpdateDownload::Shared {
  std::shared_ptr<InternetSession> session;
  std::mutex mutex;
  bool ended = false;
  std::vector<std::string> chunks;
  std::optional<std::string> failure;
};

UpdateDownload::UpdateDownload(Internet& internet, Workers& workers, const std::string& url, std::function<void()> wake)
    : internet_(internet), shared_(std::make_shared<Shared>()) {
  shared_->session = internet.OpenSession(kUrlTextAgent);
  if (!shared_->session) throw EUrlText("Unable to initialize Wininet");
  workers.Start([shared = shared_, url, wake = std::move(wake)] {
    std::vector<std::string> chunks;
    std::optional<std::string> failure;
    try {
      chunks = ReadUrlChunks(*shared->session, url);
    } catch (const std::exception& error) {
      failure = error.what();
    } catch (...) {
      failure = "Cannot read URL " + url;
    }
    {
      const std::lock_guard lock(shared->mutex);
      shared->chunks = std::move(chunks);
      shared->failure = std::move(failure);
      shared->ended = true;
    }
    wake();
  });
}

UpdateDownload::~UpdateDownload() {
  bool ended = false;
  {
    const std::lock_guard lock(shared_->mutex);
    ended = shared_->ended;
  }
  if (!ended) shared_->session->Abort();
}

std::optional<std::string> UpdateDownload::Text() {
  const std::lock_guard lock(shared_->mutex);
  if (!shared_->ended) return std::nullopt;
  if (shared_->failure) throw EUrlText(*shared_->failure);
  return UrlChunksToText(internet_, shared_->chunks);
}
