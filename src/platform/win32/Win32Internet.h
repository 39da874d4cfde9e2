#pragma once

#include "platform/Internet.h"

// WinInet, synchronous, on the calling thread; a session may be aborted from another.
class Win32Internet final : public Internet {
 public:
  std::unique_ptr<InternetSession> OpenSession(const std::string& agent) override;
  std::string AnsiToUtf8(std::string_view bytes) override;
};
