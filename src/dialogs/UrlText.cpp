#include "dialogs/UrlText.h"

#include <algorithm>
#include <array>
#include <memory>

namespace {

constexpr size_t kChunkBytes = 1025;

// A redirect may name a path on the same server.
std::string ResolveLocation(const std::string& from, const std::string& location) {
  if (location.rfind('/', 0) != 0 || location.rfind("//", 0) == 0) return location;
  return from.substr(0, from.find('/', std::string_view("https://").size())) + location;
}

std::unique_ptr<InternetFile> OpenFollowingRedirects(InternetSession& session, const std::string& url) {
  std::string address = url;
  for (int redirects = 0;; ++redirects) {
    // Checked on every hop: nothing is ever asked of a plain-text address.
    if (!IsHttpsUrl(address)) throw EUrlText("Cannot open URL " + address);
    std::unique_ptr<InternetFile> file = session.OpenUrl(address);
    if (!file) throw EUrlText("Cannot open URL " + address);
    const int status = file->Status();
    if (status >= 200 && status < 300) return file;
    const bool redirect = status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
    if (!redirect || redirects == kMaxRedirects || file->Location().empty()) {
      throw EUrlText("Cannot open URL " + address + " (HTTP status " + std::to_string(status) + ")");
    }
    address = ResolveLocation(address, file->Location());
  }
}

}  // namespace

bool IsHttpsUrl(const std::string& url) {
  constexpr std::string_view kScheme = "https://";
  if (url.size() <= kScheme.size()) return false;
  for (size_t i = 0; i < kScheme.size(); ++i) {
    const char c = url[i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != kScheme[i]) return false;
  }
  return true;
}

std::vector<std::string> ReadUrlChunks(InternetSession& session, const std::string& url) {
  const std::unique_ptr<InternetFile> file = OpenFollowingRedirects(session, url);
  std::vector<std::string> chunks;
  std::array<char, kChunkBytes> buffer{};
  size_t total = 0;
  for (;;) {
    buffer.fill('\0');
    const std::optional<size_t> read = file->Read(buffer.data(), buffer.size());
    if (!read) throw EUrlText("Cannot read URL " + url);
    if (*read == 0) break;
    total += *read;
    if (total > kMaxUrlTextBytes) throw EUrlText("Too much data at URL " + url);
    // Zeros fill the buffer past a short read, so the chunk ends there or at a zero it carried.
    chunks.emplace_back(buffer.data(),
                        static_cast<size_t>(std::find(buffer.begin(), buffer.end(), '\0') - buffer.begin()));
  }
  return chunks;
}

std::string UrlChunksToText(Internet& internet, const std::vector<std::string>& chunks) {
  std::string text;
  for (const std::string& chunk : chunks) text += internet.AnsiToUtf8(chunk);
  return text;
}
