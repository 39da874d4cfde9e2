#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Internet.h"
#include "platform/Workers.h"

// The version file fetched on a worker, so that the window's thread never waits on the network.
// The worker owns what it touches: the session and the outcome, shared with this object. A
// download given up at its deadline may go on blocking in the network on its own; it holds
// nothing the window needs and ends whenever the platform lets it.
class UpdateDownload {
 public:
  // Opens the session here (it costs no wait for the network) and starts reading `url` on a
  // worker, which calls `wake` from its own thread once it has ended. Throws EUrlText when the
  // session cannot be opened.
  UpdateDownload(Internet& internet, Workers& workers, const std::string& url, std::function<void()> wake);
  // Aborts a download still running.
  ~UpdateDownload();
  UpdateDownload(const UpdateDownload&) = delete;
  UpdateDownload& operator=(const UpdateDownload&) = delete;

  // The text once the download has ended, none while it runs; throws EUrlText when it failed.
  std::optional<std::string> Text();

 private:
  struct Shared;
  Internet& internet_;
  std::shared_ptr<Shared> shared_;
};
