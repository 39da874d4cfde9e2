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

void SetTimeouts(HINTERNET handle) {
  for (const DWORD option :
       {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
        INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
    DWORD value = kTimeoutMs;
    ::InternetSetOptionW(handle, option, &value, sizeof(value));
  }
}

class Win32InternetFile final : public InternetFile {
 public:
  Win32InternetFile(InternetHandle connection, InternetHandle request)
      : connection_(std::move(connection)), request_(std::move(request)) {}

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
  // Declared first, so that it is closed after the request.
  InternetHandle connection_;
  InternetHandle request_;
};

class Win32InternetSession final : public InternetSession {
 public:
  explicit Win32InternetSession(InternetHandle session) : session_(std::move(session)) {}

  // A connection and a request of their own rather than InternetOpenUrlW: only then do the
  // send and receive timeouts reach the request everywhere (Wine drops the session's).
  std::unique_ptr<InternetFile> OpenUrl(const std::string& url) override {
    const std::wstring wide = WideFromUtf8(url);
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!::InternetCrackUrlW(wide.c_str(), 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTPS) return nullptr;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo != nullptr) path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    InternetHandle connection(
        ::InternetConnectW(session_.Get(), host.c_str(), parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return nullptr;
    SetTimeouts(connection.Get());
    InternetHandle request(::HttpOpenRequestW(connection.Get(), L"GET", path.c_str(), nullptr, nullptr, nullptr,
                                              kOpenFlags | INTERNET_FLAG_SECURE, 0));
    if (!request) return nullptr;
    SetTimeouts(request.Get());
    if (!::HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0)) return nullptr;
    return std::make_unique<Win32InternetFile>(std::move(connection), std::move(request));
  }

 private:
  InternetHandle session_;
};

}  // namespace

std::unique_ptr<InternetSession> Win32Internet::OpenSession(const std::string& agent) {
  const std::wstring wide = WideFromUtf8(agent);
  InternetHandle session(::InternetOpenW(wide.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return nullptr;
  SetTimeouts(session.Get());
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

uint64_t Win32Internet::Milliseconds() { return ::GetTickCount64(); }
