#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/Internet.h"

// Why a download failed; the message names the cause.
class EUrlText : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The most of a body that is read; the version file is a few hundred bytes.
inline constexpr size_t kMaxUrlTextBytes = 64 * 1024;
inline constexpr int kMaxRedirects = 5;
// The most the whole download may take, however the server paces it.
inline constexpr uint64_t kMaxUrlTextMilliseconds = 20000;

// True for an "https://" address (scheme in any letter case).
bool IsHttpsUrl(const std::string& url);

// Downloads `url` as the agent "Glimmerlux" into one text: read in chunks of 1025 bytes, each
// converted from the ANSI code page on its own, a zero byte dropping the rest of its chunk.
// Throws EUrlText when the session or the address cannot be opened, the answer is not a
// success (2xx), a redirect leaves HTTPS or goes on too long, the connection breaks or the body
// passes kMaxUrlTextBytes, or the whole download takes longer than kMaxUrlTextMilliseconds.
std::string GetUrlText(Internet& internet, const std::string& url);
