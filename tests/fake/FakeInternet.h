#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Internet.h"

// A web of addresses in memory. An address not in `pages` cannot be opened. A session sees the
// pages as they were when it was opened and keeps only shared state, so a worker may hold it
// past the fake's life.
class FakeInternet : public Internet {
 public:
  struct Page {
    int status = 200;
    std::string location;
    std::string body;
    // Bytes the server goes on sending after the body, without end.
    bool endless = false;
    // The connection breaks after the body.
    bool breaks = false;
  };
  // What the sessions did.
  struct Log {
    std::vector<std::string> opened;
    // The sizes the reader asked for.
    std::vector<size_t> reads;
    int aborts = 0;
  };
  std::map<std::string, Page> pages;
  bool sessionFails = false;
  std::string agent;
  std::shared_ptr<Log> log = std::make_shared<Log>();

  // Bytes 0x80 and above are Latin-1 here, as the ANSI code page of a western system.
  std::string AnsiToUtf8(std::string_view bytes) override;
  std::unique_ptr<InternetSession> OpenSession(const std::string& agentName) override;
};
