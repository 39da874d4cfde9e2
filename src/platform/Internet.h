#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// One address opened on the internet: the server's answer, read as it arrives.
class InternetFile {
 public:
  virtual ~InternetFile() = default;

  // The HTTP status code; 0 when the answer has none.
  virtual int Status() = 0;
  // Where a redirect points; empty when the answer is not one.
  virtual std::string Location() = 0;
  // Up to `size` bytes of the body; 0 at its end; none when the connection failed or timed out.
  virtual std::optional<size_t> Read(char* buffer, size_t size) = 0;
};

// A session for small downloads, used by one thread at a time apart from Abort. Each wait for
// the server is bounded as far as the platform allows (a few seconds to connect, to send and to
// receive), an invalid or untrusted certificate fails the open, caches are bypassed, and
// redirects are handed back rather than followed.
class InternetSession {
 public:
  virtual ~InternetSession() = default;

  // None when the address cannot be opened: no network, unknown name, refused, TLS failure.
  virtual std::unique_ptr<InternetFile> OpenUrl(const std::string& url) = 0;
  // From any thread: ends a call blocked in this session as far as the platform can, and makes
  // every later call on it and on its files fail at once.
  virtual void Abort() = 0;
};

class Internet {
 public:
  virtual ~Internet() = default;

  // None when the platform's internet functions cannot be initialised.
  virtual std::unique_ptr<InternetSession> OpenSession(const std::string& agent) = 0;
  // Bytes in the system's ANSI code page as UTF-8.
  virtual std::string AnsiToUtf8(std::string_view bytes) = 0;
};
