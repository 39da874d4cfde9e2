#include "platform/win32/Win32Internet.h"

#include <windows.h>

#include <wininet.h>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace {

// Long enough for a slow network, short enough that a silent server does not look like a hang.
constexpr DWORD kTimeoutMs = 5000;

// Always from the server, never from or into a cache; no dialogs, cookies or log-on prompts;
// redirects come back to the caller, which follows only those that stay on HTTPS. Nothing
// here relaxes certificate checks.
constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                             INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES |
                             INTERNET_FLAG_NO_AUTH;

class Win32InternetFile final : public InternetFile {
 public:
  explicit Win32InternetFile(InternetHandle request) : request_(std::move(request)) {}

  int Status() override {
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!::HttpQueryInfoW(request_.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
      return 0;
    }
    return static_cast<int>(status);
  }

  std::string Location() override {
    std::wstring location(512, L'\0');
    DWORD size = static_cast<DWORD>(location.size() * sizeof(wchar_t));
    if (!::HttpQueryInfoW(request_.Get(), HTTP_QUERY_LOCATION, location.data(), &size, nullptr)) {
      if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
      location.resize(size / sizeof(wchar_t) + 1);
      if (!::HttpQueryInfoW(request_.Get(), HTTP_QUERY_LOCATION, location.data(), &size, nullptr)) return {};
    }
    location.resize(size / sizeof(wchar_t));
    return Utf8FromWide(location);
  }

  std::optional<size_t> Read(char* buffer, size_t size) override {
    DWORD read = 0;
    if (!::InternetReadFile(request_.Get(), buffer, static_cast<DWORD>(size), &read)) return std::nullopt;
    return read;
  }

 private:
  InternetHandle request_;
};

class Win32InternetSession final : public InternetSession {
 public:
  explicit Win32InternetSession(InternetHandle session) : session_(std::move(session)) {}

  std::unique_ptr<InternetFile> OpenUrl(const std::string& url) override {
    const std::wstring wide = WideFromUtf8(url);
    InternetHandle request(::InternetOpenUrlW(session_.Get(), wide.c_str(), nullptr, 0, kOpenFlags, 0));
    if (!request) return nullptr;
    return std::make_unique<Win32InternetFile>(std::move(request));
  }

 private:
  InternetHandle session_;
};

void SetTimeout(HINTERNET session, DWORD option) {
  DWORD value = kTimeoutMs;
  ::InternetSetOptionW(session, option, &value, sizeof(value));
}

}  // namespace

std::unique_ptr<InternetSession> Win32Internet::OpenSession(const std::string& agent) {
  const std::wstring wide = WideFromUtf8(agent);
  InternetHandle session(::InternetOpenW(wide.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return nullptr;
  for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                             INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
    SetTimeout(session.Get(), option);
  }
  DWORD retries = 1;
  ::InternetSetOptionW(session.Get(), INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof(retries));
  return std::make_unique<Win32InternetSession>(std::move(session));
}

std::string Win32Internet::AnsiToUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), size);
  return Utf8FromWide(wide);
}
