#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Internet.h"

// Why a download failed; the message names the cause.
class EUrlText : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The most of a body that is read; the version file is a few hundred bytes.
inline constexpr size_t kMaxUrlTextBytes = 64 * 1024;
inline constexpr int kMaxRedirects = 5;
// The agent name the web site sees.
inline constexpr const char* kUrlTextAgent = "Glimmerlux";

// True for an "https://" address (scheme in any letter case).
bool IsHttpsUrl(const std::string& url);

// The body of `url` over `session`, read in chunks of 1025 bytes, each cut at its first zero
// byte. Touches nothing but the session, so it may run on a thread of its own. Throws EUrlText
// when the address cannot be opened, the answer is not a success (2xx), a redirect leaves HTTPS
// or goes on too long, the connection breaks or the body passes kMaxUrlTextBytes.
std::vector<std::string> ReadUrlChunks(InternetSession& session, const std::string& url);

// The chunks as one text, each converted from the ANSI code page on its own.
std::string UrlChunksToText(Internet& internet, const std::vector<std::string>& chunks);
