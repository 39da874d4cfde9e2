#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Internet.h"

// A web of addresses in memory. An address not in `pages` cannot be opened.
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
  std::map<std::string, Page> pages;
  bool sessionFails = false;
  std::string agent;
  std::vector<std::string> opened;
  // The sizes the reader asked for.
  std::vector<size_t> reads;
  // The clock, and how far each read moves it: a server that drips its answer.
  uint64_t now = 0;
  uint64_t millisecondsPerRead = 0;
  uint64_t Milliseconds() override { return now; }
  // Bytes 0x80 and above are Latin-1 here, as the ANSI code page of a western system.
  std::string AnsiToUtf8(std::string_view bytes) override;
  std::unique_ptr<InternetSession> OpenSession(const std::string& agentName) override;
};
